// The printed listings of the oldest Planograf devices, the last resort of the recognition.
// Not supported yet: it refuses every file.

#include "measurement/MessFahrtDaten.h"

namespace kurvex {

bool CMessFahrtDaten::ReadListing()
{
    return false;
}

}  // namespace kurvex

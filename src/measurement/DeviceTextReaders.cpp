// The text device formats: PM01BS01 and the dated column table.
// Not supported yet: both readers refuse every file, so recognition goes on.

#include "measurement/MessFahrtDaten.h"

namespace kurvex {

bool CMessFahrtDaten::ReadPm01bs01()
{
    return false;
}

bool CMessFahrtDaten::ReadDatedColumnTable()
{
    return false;
}

}  // namespace kurvex

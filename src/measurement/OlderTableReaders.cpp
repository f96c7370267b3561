// The older table formats 3, 4, 5, 6 and 7.
// Not supported yet: every reader refuses, so recognition goes on.

#include "measurement/MessFahrtDaten.h"

namespace kurvex {

bool CMessFahrtDaten::ReadRoadTable()
{
    return false;
}

bool CMessFahrtDaten::ReadLimitValueTable()
{
    return false;
}

bool CMessFahrtDaten::ReadDatedTable5()
{
    return false;
}

bool CMessFahrtDaten::ReadDatedTable4()
{
    return false;
}

bool CMessFahrtDaten::ReadPlanographTable()
{
    return false;
}

}  // namespace kurvex

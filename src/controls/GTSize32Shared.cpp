#include "controls/GTSize32Shared.h"

GTScalerShared& GTScalerShared::Process()
{
    static GTScalerShared shared;
    return shared;
}

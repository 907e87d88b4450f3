#include "app/ProgramIdentity.h"

namespace kalorina {

std::string ReportIdentification(const ProgramIdentity& identity)
{
    return "\\sb180\\f4\\fs16 " + identity.productName + " " + identity.version + " " + identity.maker;
}

} // namespace kalorina

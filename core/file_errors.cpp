#include "core/file_errors.h"

#include "core/translate.h"

#include <cstring>

namespace {

std::string SizeText(uint64_t bytes) {
    constexpr uint64_t kMegabyte = uint64_t{1} << 20;
    if (bytes >= kMegabyte && bytes % kMegabyte == 0) {
        return TranslateFormat("%llu MB", static_cast<unsigned long long>(bytes / kMegabyte));
    }
    return TranslateFormat("%llu bytes", static_cast<unsigned long long>(bytes));
}

}  // namespace

std::string DescribeFileError(const platform::FileError& error) {
    using Kind = platform::FileError::Kind;
    std::string reason;
    switch (error.kind) {
        case Kind::System:
            reason = std::strerror(error.code);
            break;
        case Kind::NotRegularFile:
            reason = Translate("Not a regular file");
            break;
        case Kind::SymbolicLink:
            reason = Translate("A symbolic link, which is not written through");
            break;
        case Kind::TooLarge:
            reason = TranslateFormat("Larger than %s", SizeText(error.limit).c_str());
            break;
        case Kind::None:
            reason = Translate("Unknown error.");
            break;
    }
    return error.path.empty() ? reason : error.path + ": " + reason;
}

#include "layout-core/layout_error.h"

namespace orbitdeck {

const char* LayoutError::what() const noexcept {
    switch (kind_) {
    case Kind::duplicateApplication:
        return "duplicateApplication";
    case Kind::duplicateFolder:
        return "duplicateFolder";
    case Kind::duplicatePage:
        return "duplicatePage";
    case Kind::missingPage:
        return "missingPage";
    case Kind::missingFolder:
        return "missingFolder";
    case Kind::emptyFolder:
        return "emptyFolder";
    case Kind::unreferencedFolder:
        return "unreferencedFolder";
    case Kind::invalidIndex:
        return "invalidIndex";
    case Kind::applicationNotOnPage:
        return "applicationNotOnPage";
    case Kind::sameApplication:
        return "sameApplication";
    case Kind::emptyApplicationIdentity:
        return "emptyApplicationIdentity";
    case Kind::nestedFolder:
        return "nestedFolder";
    }
    return "layoutError";
}

} // namespace orbitdeck

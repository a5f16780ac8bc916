#include "app/DiscRoot.h"
#include "app/DiscLayout.h"

#include "platform/Text.h"
#include "platform/WindowsPath.h"

#include <optional>

namespace discmenu {
namespace {

constexpr std::size_t historicCut = 36;

// The folder holding "CD Current Version (V)" when base ends in
// "\CD Current Version (V)\Components".
std::optional<std::string> versionLayoutHolder(const std::string& base) {
    if (!base.ends_with(layout::componentsEnd))
        return std::nullopt;
    const std::string_view head =
        std::string_view(base).substr(0, base.size() - layout::componentsEnd.size());
    const std::size_t at = head.rfind("\\" + std::string(layout::versionFolderStart));
    if (at == std::string_view::npos || head.find('\\', at + 1) != std::string_view::npos)
        return std::nullopt;
    std::string holder(head.substr(0, at));
    if (holder.size() == 2 && holder[1] == ':')
        holder += '\\';
    return holder;
}

} // namespace

std::string discRootFor(const std::string& cdBase, const std::string& driveRoot) {
    const std::size_t len = text::length(cdBase);
    if (len <= 3)
        return driveRoot;
    if (auto holder = versionLayoutHolder(cdBase)) {
        if (len >= historicCut) {
            std::string cut = text::left(cdBase, len - historicCut);
            if (winpath::isDriveRoot(cut))
                return cut;
        }
        if (!holder->empty())
            return *holder;
    }
    return cdBase;
}

} // namespace discmenu

#include "cli/settings/text_files.h"

#include <fstream>
#include <sstream>

#include "cli/platform/platform.h"

namespace tarvek::cli {

bool ReadFileText(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

bool WriteFileText(const std::string& path, const std::string& text, bool ownerOnly) {
    {
        std::ofstream empty(path, std::ios::binary | std::ios::trunc);
        if (!empty) {
            return false;
        }
    }
    if (ownerOnly && !RestrictToOwner(path)) {
        return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    return !out.fail();
}

}  // namespace tarvek::cli

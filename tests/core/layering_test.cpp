// layering_test.cpp: the folders of src/ include each other only downward, and only mame/
// knows what MAME is told and what it prints.

#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Which folders each folder may include, written once. A folder not named here may include
// nothing of ours; "." is the folder of main.cpp.
const std::map<std::string, std::set<std::string>> kAllowedEdges = {
    {"platform", {}},
    {"options", {"platform"}},
    {"catalogue", {"platform", "options"}},
    {"mame", {"platform", "options", "catalogue"}},
    {"ui/desktop", {"platform", "mame"}},
    {"ui/options", {"platform", "options", "mame", "ui/desktop"}},
    {"ui/catalogue", {"platform", "options", "catalogue", "mame", "ui/desktop"}},
    {"ui/launch", {"platform", "options", "catalogue", "mame", "ui/desktop"}},
    {"ui/settings", {"platform", "options", "ui/desktop", "ui/options"}},
    {"ui/verify", {"platform", "catalogue", "mame", "ui/desktop", "ui/catalogue"}},
    {"ui/about", {"platform", "ui/desktop"}},
    {"ui/shell",
     {"platform", "options", "catalogue", "mame", "ui/desktop", "ui/options", "ui/catalogue",
      "ui/launch", "ui/settings", "ui/verify", "ui/about"}},
    {".", {"platform", "ui/desktop", "ui/shell"}},
};

// What MAME reads or prints; written anywhere but in mame/, it is MAME knowledge out of place.
// A switch counts where it stands as a word of its own ("--version" is the program's own).
const char* const kMameTexts[] = {"-listxml",    "-listinfo", "-verifyroms", "-version",
                                  "-showconfig", "-record",   "-playback",   "romset",
                                  "is good",     "NOT FOUND", "ALSA lib"};

bool isWordCharacter(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '-';
}

// Whether text holds what, not as part of a longer word.
bool holds(const std::string& text, const std::string& what)
{
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) {
        const bool startsWord = at == 0 || !isWordCharacter(text[at - 1]) || what[0] != '-';
        const std::size_t end = at + what.size();
        if (startsWord && (end == text.size() || !isWordCharacter(text[end])))
            return true;
    }
    return false;
}

struct Source
{
    std::string folder; // relative to src/
    std::string path;   // relative to src/
    std::string text;
};

std::vector<Source> sources()
{
    std::vector<Source> all;
    const fs::path root = KORVANE_SOURCE_DIR;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        const std::string extension = entry.path().extension().string();
        if (!entry.is_regular_file() || (extension != ".cpp" && extension != ".h"))
            continue;
        const fs::path relative = fs::relative(entry.path(), root);
        std::ifstream file(entry.path());
        std::stringstream text;
        text << file.rdbuf();
        const std::string folder = relative.parent_path().string();
        all.push_back({folder.empty() ? "." : folder, relative.string(), text.str()});
    }
    return all;
}

TEST(LayeringTest, FoldersIncludeOnlyWhatTheTableAllows)
{
    const std::vector<Source> all = sources();
    ASSERT_GT(all.size(), 50u);
    std::map<std::string, std::set<std::string>> edges;
    for (const Source& source : all) {
        const auto allowed = kAllowedEdges.find(source.folder);
        EXPECT_NE(allowed, kAllowedEdges.end())
            << "a folder the table does not know: " << source.folder;
        std::istringstream lines(source.text);
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("#include \""))
                continue;
            const std::string file = line.substr(10, line.find('"', 10) - 10);
            std::string folder = fs::path(file).parent_path().string();
            folder = folder.empty() ? "." : folder;
            if (folder == source.folder)
                continue;
            edges[source.folder].insert(folder);
            EXPECT_TRUE(allowed != kAllowedEdges.end() && allowed->second.contains(folder))
                << source.path << ": " << line << " (" << source.folder << " -> " << folder << ")";
        }
    }

    // No circle between folders, whatever the table says: folders that include none of the
    // others left are taken away until none is left, or only folders in circles are.
    for (bool removed = true; removed;) {
        removed = false;
        for (auto it = edges.begin(); it != edges.end();) {
            std::erase_if(it->second, [&](const std::string& to) { return !edges.contains(to); });
            removed = removed || it->second.empty();
            it = it->second.empty() ? edges.erase(it) : std::next(it);
        }
    }
    for (const auto& [folder, targets] : edges)
        ADD_FAILURE() << "in a circle of includes: " << folder;
}

TEST(LayeringTest, OnlyMameKnowsWhatMameIsToldAndPrints)
{
    for (const Source& source : sources()) {
        if (source.folder == "mame")
            continue;
        for (const char* text : kMameTexts)
            EXPECT_FALSE(holds(source.text, text)) << source.path << ": " << text;
    }
}

} // namespace

// A stand-in for the MAME emulator, used by the tests and the demo directory.
//
// It never emulates anything. It answers the few requests Korvane makes of the emulator
// from files in its own directory (the directory of /proc/self/exe, so a copy placed in a
// test's program directory answers from there, wherever it is started from). It answers
// as one of two MAMEs: as the classic MAME 0.36 by default, as today's MAME (0.251) when
// standin-version.txt lies beside it.
//
// The classic MAME:
//
//   -listinfo            prints standin-listinfo.txt when it exists, else a small built-in
//                        catalogue; exit 0.
//   NAME -verifyroms     roms/NAME.zip or roms/NAME/ present: the set is good (exit 0);
//                        roms/NAME.bad present: the set is bad, each non-empty line of that
//                        file naming a missing ROM (exit 2); otherwise: not found (exit 1).
//   ... -record NAME ... writes INP/NAME.INP (INP must exist; exit 1 when it does not).
//   anything else        does nothing; exit 0.
//
// Today's MAME reads its whole command line first, as MAME 0.251 does: a word starting
// with '-' that is neither one of its commands nor one of its switches is refused with
// "Error: unknown option: WORD" (exit 6), and so is a switch missing its value or a second
// command. A switch given as -noNAME turns the on/off switch NAME off. Then:
//
//   -version             prints standin-version.txt as it is; exit 0.
//   -showconfig          prints the switches' values as MAME prints its options, in
//                        sections, each name padded to 26 columns and a value holding a
//                        space in double quotes; rompath is the first line of
//                        standin-rompath.txt ("roms" without it) and input_directory "inp"
//                        unless the command line sets them; exit 0.
//   -listxml             prints standin-listxml.xml when it exists, else a built-in XML
//                        catalogue of the same machines as the classic one plus a device;
//                        exit 0.
//   -verifyroms NAME...  the names may also come before the command. The sets the catalogue
//                        (the XML just described) holds are checked in the catalogue's
//                        order: roms/NAME.zip or roms/NAME/ is good, roms/NAME.best the best
//                        available, roms/NAME.bad bad (its non-empty lines are printed
//                        first), and a set without any of these is left out. A name the
//                        catalogue lacks ends the run with "No matching systems found" (exit
//                        5); a single name without files with "not found!" (exit 2);
//                        otherwise the count of sets found and good is printed, on stderr
//                        when a set is bad (exit 2), else on stdout (exit 0).
//   NAME switches...     a game's launch: -frameskip outside 0..10 is warned about and
//                        ignored; -playback FILE fails (exit 3) when the input directory
//                        lacks FILE; -record FILE writes FILE into the input directory
//                        (relative to the working directory), making the directory when it
//                        does not exist; exit 0.
//
// Two files beside it change every answer, in both modes, for tests of what a caller does
// with a slow or failing emulator:
//
//   standin-delay.txt    a number of milliseconds to wait before answering;
//   standin-exit.txt     an exit code to end with, whatever the answer's own;
//   standin-crash.txt    a number of bytes: only that much of the answer's standard output
//                        is written, then the stand-in logs its run and ends by a signal
//                        (SIGSEGV, without a core file), as an emulator that crashes;
//   standin-child.txt    the stand-in first starts a child of its own that sleeps for a
//                        minute, and writes the child's process ID to standin-child.pid, as
//                        an emulator that runs a helper.
//
// Every run appends one block to standin-mame.log beside it:
//
//   run
//   cwd <working directory>
//   arg <word>           one line per argument, exactly as received
//   end
//
// The block is written after the run has done its work and flushed its output, so whoever
// sees the "end" line may rely on the recording and the printed answer being complete.

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

#include <csignal>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kBuiltInCatalogue = "game (\n"
                                               "\tname glimwart\n"
                                               "\tdescription \"Glimwart Caverns (World)\"\n"
                                               "\tyear 1984\n"
                                               "\tmanufacturer \"Quillon Amusements\"\n"
                                               "\trom ( name gw1.1a size 4096 crc 3c1f0a77 )\n"
                                               "\trom ( name gw2.2a size 4096 crc 91d2e4b0 )\n"
                                               "\tdriver ( status good color good sound good )\n"
                                               ")\n"
                                               "\n"
                                               "game (\n"
                                               "\tname glimwrtj\n"
                                               "\tdescription \"Glimwart Caverns (Japan)\"\n"
                                               "\tyear 1984\n"
                                               "\tcloneof glimwart\n"
                                               "\tromof glimwart\n"
                                               "\tmanufacturer \"Quillon Amusements\"\n"
                                               "\trom ( name gwj1.1a size 4096 crc 5e88c302 )\n"
                                               "\tdriver ( status good color good sound good )\n"
                                               ")\n"
                                               "\n"
                                               "game (\n"
                                               "\tname tundrax\n"
                                               "\tdescription \"Tundra Express\"\n"
                                               "\tyear 1986\n"
                                               "\tmanufacturer \"Brassfield\"\n"
                                               "\trom ( name tx-a.8h size 8192 crc 0b7d61ee )\n"
                                               "\tdriver ( status preliminary color good "
                                               "sound imperfect )\n"
                                               ")\n"
                                               "\n"
                                               "resource (\n"
                                               "\tname neogeo\n"
                                               "\tdescription \"Stand-in Neo-Geo BIOS\"\n"
                                               "\tyear 1990\n"
                                               "\tmanufacturer \"Stand-in\"\n"
                                               "\trom ( name sp-s.sp1 size 131072 crc 2f6a0c19 )\n"
                                               ")\n"
                                               "\n"
                                               "game (\n"
                                               "\tname orbisque\n"
                                               "\tdescription \"Orbisque Deluxe\"\n"
                                               "\tyear 1995\n"
                                               "\tromof neogeo\n"
                                               "\tmanufacturer \"Halvane Soft\"\n"
                                               "\trom ( name 301-p1.bin size 1048576 crc "
                                               "a4c93d05 )\n"
                                               "\tdriver ( status good color good sound good )\n"
                                               ")\n";

// Where the answers come from and the log goes: the directory of the executable itself.
fs::path ownDirectory(const char* invokedAs)
{
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    if (!error && self.has_parent_path())
        return self.parent_path();
    // Without /proc, the path as invoked is the best guess left.
    if (invokedAs != nullptr && *invokedAs != '\0') {
        const fs::path invoked = fs::absolute(invokedAs, error);
        if (!error && invoked.has_parent_path())
            return invoked.parent_path();
    }
    return fs::current_path(error);
}

// A name used to build a file name beside the stand-in: it must stay inside its directory.
bool isPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

std::string padRight(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.append(width - text.size(), ' ');
    return text;
}

std::string padLeft(std::string text, std::size_t width)
{
    if (text.size() < width)
        text.insert(0, width - text.size(), ' ');
    return text;
}

// A made-up checksum (32-bit FNV-1a): the same ROM name always shows the same value.
std::uint32_t checksumOf(std::string_view name)
{
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::string hex8(std::uint32_t value)
{
    static constexpr std::string_view digits = "0123456789abcdef";
    std::string text(8, '0');
    for (int i = 7; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = digits[value & 0xfu];
        value >>= 4;
    }
    return text;
}

std::string trimmed(const std::string& line)
{
    const auto first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    const auto last = line.find_last_not_of(" \t\r");
    return line.substr(first, last - first + 1);
}

std::vector<std::string> missingRoms(const fs::path& badFile)
{
    std::vector<std::string> names;
    std::ifstream file(badFile);
    std::string line;
    while (std::getline(file, line)) {
        std::string name = trimmed(line);
        if (!name.empty())
            names.push_back(std::move(name));
    }
    if (names.empty())
        names = {"prg1.1a", "gfx2.5h"};
    return names;
}

int listInfo(const fs::path& dir)
{
    const fs::path own = dir / "standin-listinfo.txt";
    std::error_code error;
    if (fs::is_regular_file(own, error)) {
        std::ifstream file(own, std::ios::binary);
        if (file && file.peek() != std::ifstream::traits_type::eof())
            std::cout << file.rdbuf();
        return 0;
    }
    std::cout << kBuiltInCatalogue;
    return 0;
}

int verifyRoms(const fs::path& dir, const std::string& name)
{
    const fs::path roms = dir / "roms";
    std::error_code error;
    if (isPlainName(name) &&
        (fs::exists(roms / (name + ".zip"), error) || fs::is_directory(roms / name, error))) {
        std::cout << "1 romsets found, 1 were OK.\n";
        return 0;
    }
    if (isPlainName(name) && fs::is_regular_file(roms / (name + ".bad"), error)) {
        // The ROM name and the size together fill 20 columns, so that a four-digit size
        // ends where MAME's does; every ROM of a stand-in set is 2048 bytes.
        for (const std::string& rom : missingRoms(roms / (name + ".bad"))) {
            std::cout << padRight(name, 8) << ": " << padRight(rom, 15) << padLeft("2048", 5)
                      << " bytes " << hex8(checksumOf(rom)) << " NOT FOUND\n";
        }
        std::cout << "romset " << name << " is bad\n"
                  << "1 romsets found, 0 were OK.\n";
        return 2;
    }
    std::cout << "romset \"" << padLeft(name, 8) << "\" not found!\n";
    return 1;
}

int record(const fs::path& dir, const std::vector<std::string>& args)
{
    std::size_t at = 0;
    while (at < args.size() && args[at] != "-record")
        ++at;
    if (at == args.size())
        return 0;
    if (at + 1 == args.size() || !isPlainName(args[at + 1])) {
        std::cerr << "stand-in MAME: -record needs a plain file name\n";
        return 1;
    }
    const fs::path inp = dir / "INP";
    std::error_code error;
    if (!fs::is_directory(inp, error)) {
        std::cerr << "stand-in MAME: " << inp.string() << " is not a directory\n";
        return 1;
    }
    const fs::path target = inp / (args[at + 1] + ".INP");
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file << "Korvane stand-in MAME recording: nothing was emulated, no input was recorded.\n";
    if (at != 0)
        file << "game " << args[0] << "\n";
    file.close();
    if (!file) {
        std::cerr << "stand-in MAME: cannot write " << target.string() << "\n";
        return 1;
    }
    return 0;
}

// The number in a control file beside the stand-in, if there is one.
bool numberIn(const fs::path& file, long& number)
{
    std::ifstream in(file);
    return static_cast<bool>(in >> number);
}

int runClassic(const fs::path& dir, const std::vector<std::string>& args)
{
    if (!args.empty() && args[0] == "-listinfo")
        return listInfo(dir);
    if (args.size() >= 2 && args[1] == "-verifyroms")
        return verifyRoms(dir, args[0]);
    return record(dir, args);
}

// ---- Today's MAME ----

// The machines of the classic catalogue, sorted by name as MAME sorts its list, and the
// devices after them as MAME has them.
constexpr std::string_view kBuiltInMachines =
    "\t<machine name=\"glimwart\" sourcefile=\"quillon/glimwart.cpp\">\n"
    "\t\t<description>Glimwart Caverns (World)</description>\n"
    "\t\t<year>1984</year>\n"
    "\t\t<manufacturer>Quillon Amusements</manufacturer>\n"
    "\t\t<rom name=\"gw1.1a\" size=\"4096\" crc=\"3c1f0a77\"/>\n"
    "\t\t<rom name=\"gw2.2a\" size=\"4096\" crc=\"91d2e4b0\"/>\n"
    "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
    "\t</machine>\n"
    "\t<machine name=\"glimwrtj\" sourcefile=\"quillon/glimwart.cpp\" cloneof=\"glimwart\" "
    "romof=\"glimwart\">\n"
    "\t\t<description>Glimwart Caverns (Japan)</description>\n"
    "\t\t<year>1984</year>\n"
    "\t\t<manufacturer>Quillon Amusements</manufacturer>\n"
    "\t\t<rom name=\"gwj1.1a\" size=\"4096\" crc=\"5e88c302\"/>\n"
    "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
    "\t</machine>\n"
    "\t<machine name=\"neogeo\" sourcefile=\"neogeo/neogeo.cpp\" isbios=\"yes\">\n"
    "\t\t<description>Stand-in Neo-Geo BIOS</description>\n"
    "\t\t<year>1990</year>\n"
    "\t\t<manufacturer>Stand-in</manufacturer>\n"
    "\t\t<rom name=\"sp-s.sp1\" size=\"131072\" crc=\"2f6a0c19\"/>\n"
    "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
    "\t</machine>\n"
    "\t<machine name=\"orbisque\" sourcefile=\"neogeo/neogeo.cpp\" romof=\"neogeo\">\n"
    "\t\t<description>Orbisque Deluxe</description>\n"
    "\t\t<year>1995</year>\n"
    "\t\t<manufacturer>Halvane Soft</manufacturer>\n"
    "\t\t<rom name=\"301-p1.bin\" size=\"1048576\" crc=\"a4c93d05\"/>\n"
    "\t\t<driver status=\"good\" emulation=\"good\" savestate=\"supported\"/>\n"
    "\t</machine>\n"
    "\t<machine name=\"tundrax\" sourcefile=\"brassfield/tundrax.cpp\">\n"
    "\t\t<description>Tundra Express</description>\n"
    "\t\t<year>1986</year>\n"
    "\t\t<manufacturer>Brassfield</manufacturer>\n"
    "\t\t<rom name=\"tx-a.8h\" size=\"8192\" crc=\"0b7d61ee\"/>\n"
    "\t\t<driver status=\"preliminary\" emulation=\"preliminary\" savestate=\"unsupported\"/>\n"
    "\t\t<feature type=\"sound\" status=\"imperfect\"/>\n"
    "\t</machine>\n"
    "\t<machine name=\"quillsnd\" sourcefile=\"devices/sound/quillsnd.cpp\" isdevice=\"yes\" "
    "runnable=\"no\">\n"
    "\t\t<description>Quillon QS-1 Sound Chip</description>\n"
    "\t</machine>\n";

// MAME's document type, cut down to what the built-in catalogue uses.
constexpr std::string_view kListXmlHead =
    "<?xml version=\"1.0\"?>\n"
    "<!DOCTYPE mame [\n"
    "<!ELEMENT mame (machine+)>\n"
    "\t<!ATTLIST mame build CDATA #IMPLIED>\n"
    "\t<!ATTLIST mame debug (yes|no) \"no\">\n"
    "\t<!ATTLIST mame mameconfig CDATA #REQUIRED>\n"
    "\t<!ELEMENT machine (description, year?, manufacturer?, rom*, driver?, feature*)>\n"
    "\t\t<!ATTLIST machine name CDATA #REQUIRED>\n"
    "\t\t<!ATTLIST machine sourcefile CDATA #IMPLIED>\n"
    "\t\t<!ATTLIST machine isbios (yes|no) \"no\">\n"
    "\t\t<!ATTLIST machine isdevice (yes|no) \"no\">\n"
    "\t\t<!ATTLIST machine runnable (yes|no) \"yes\">\n"
    "\t\t<!ATTLIST machine cloneof CDATA #IMPLIED>\n"
    "\t\t<!ATTLIST machine romof CDATA #IMPLIED>\n"
    "\t\t<!ELEMENT description (#PCDATA)>\n"
    "\t\t<!ELEMENT year (#PCDATA)>\n"
    "\t\t<!ELEMENT manufacturer (#PCDATA)>\n"
    "\t\t<!ELEMENT rom EMPTY>\n"
    "\t\t\t<!ATTLIST rom name CDATA #REQUIRED>\n"
    "\t\t\t<!ATTLIST rom size CDATA #REQUIRED>\n"
    "\t\t\t<!ATTLIST rom crc CDATA #IMPLIED>\n"
    "\t\t<!ELEMENT driver EMPTY>\n"
    "\t\t\t<!ATTLIST driver status (good|imperfect|preliminary) #REQUIRED>\n"
    "\t\t\t<!ATTLIST driver emulation (good|imperfect|preliminary) #REQUIRED>\n"
    "\t\t\t<!ATTLIST driver savestate (supported|unsupported) #REQUIRED>\n"
    "\t\t<!ELEMENT feature EMPTY>\n"
    "\t\t\t<!ATTLIST feature type CDATA #REQUIRED>\n"
    "\t\t\t<!ATTLIST feature status (unemulated|imperfect) #IMPLIED>\n"
    "]>\n";

// The switches of today's MAME that the stand-in takes, in the order and the sections of
// MAME's -showconfig. An on/off switch is set with -NAME and cleared with -noNAME; any
// other switch takes the next word as its value.
struct Option
{
    std::string_view name;
    std::string_view section;
    bool onOff;
    std::string_view initial;
};

constexpr Option kOptions[] = {
    {"rompath", "CORE SEARCH PATH OPTIONS", false, "roms"},
    {"input_directory", "CORE OUTPUT DIRECTORY OPTIONS", false, "inp"},
    {"playback", "CORE STATE/PLAYBACK OPTIONS", false, ""},
    {"record", "CORE STATE/PLAYBACK OPTIONS", false, ""},
    {"autoframeskip", "CORE PERFORMANCE OPTIONS", true, "0"},
    {"frameskip", "CORE PERFORMANCE OPTIONS", false, "0"},
    {"rotate", "CORE ROTATION OPTIONS", true, "1"},
    {"ror", "CORE ROTATION OPTIONS", true, "0"},
    {"rol", "CORE ROTATION OPTIONS", true, "0"},
    {"flipx", "CORE ROTATION OPTIONS", true, "0"},
    {"flipy", "CORE ROTATION OPTIONS", true, "0"},
    {"gamma", "CORE SCREEN OPTIONS", false, "1.0"},
    {"beam_width_min", "CORE VECTOR OPTIONS", false, "1.0"},
    {"beam_width_max", "CORE VECTOR OPTIONS", false, "1.0"},
    {"flicker", "CORE VECTOR OPTIONS", false, "0"},
    {"samplerate", "CORE SOUND OPTIONS", false, "48000"},
    {"joystick", "CORE INPUT OPTIONS", true, "1"},
    {"cheat", "CORE MISC OPTIONS", true, "0"},
    {"skip_gameinfo", "CORE MISC OPTIONS", true, "0"},
    {"window", "OSD VIDEO OPTIONS", true, "0"},
    {"waitvsync", "OSD VIDEO OPTIONS", true, "0"},
    {"resolution", "OSD PER-WINDOW VIDEO OPTIONS", false, "auto"},
    {"sound", "OSD SOUND OPTIONS", false, "auto"},
};

constexpr std::string_view kCommands[] = {"-version", "-showconfig", "-listxml", "-verifyroms"};

const Option* optionNamed(std::string_view name)
{
    for (const Option& option : kOptions) {
        if (option.name == name)
            return &option;
    }
    return nullptr;
}

// A command line as today's MAME reads it.
struct CommandLine
{
    std::string command;                       // "-verifyroms" and the like; empty: a launch
    std::vector<std::string> words;            // the words that are no switch: game names
    std::map<std::string, std::string> values; // every option's value, initial or given
    std::string warnings;                      // printed before the work, the run goes on
    std::string error;                         // the run goes no further (exit 6)
};

std::string contentOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string firstLineOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::string line;
    std::getline(in, line);
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

// MAME checks a whole-number option against its range and keeps the value it had when
// the new one does not fit.
void setFrameskip(CommandLine& line, const std::string& value)
{
    std::string& current = line.values["frameskip"];
    std::size_t used = 0;
    int number = 0;
    try {
        number = std::stoi(value, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used == 0 || used != value.size()) {
        line.warnings += "Illegal integer value for frameskip: \"" + value + "\"; reverting to " +
                         current + "\n";
    } else if (number < 0 || number > 10) {
        line.warnings += "Out-of-range integer value for frameskip: \"" + value +
                         "\" (must be between 0 and 10, inclusive); reverting to " + current + "\n";
    } else {
        current = value;
    }
}

// Takes the switch at args[at] with its value, if it has one; false when it is refused.
bool takeSwitch(const std::vector<std::string>& args, std::size_t& at, CommandLine& line)
{
    const std::string& word = args[at];
    const std::string_view name = std::string_view(word).substr(1);
    if (const Option* option = optionNamed(name); option != nullptr && option->onOff) {
        line.values[word.substr(1)] = "1";
        return true;
    }
    if (const Option* option = name.starts_with("no") ? optionNamed(name.substr(2)) : nullptr;
        option != nullptr && option->onOff) {
        line.values[word.substr(3)] = "0";
        return true;
    }
    if (optionNamed(name) == nullptr) {
        line.error = "Error: unknown option: " + word + "\n";
        return false;
    }
    if (at + 1 == args.size()) {
        line.error = "Error: option " + word + " expected a parameter\n";
        return false;
    }
    const std::string& value = args[++at];
    if (name == "frameskip")
        setFrameskip(line, value);
    else
        line.values[word.substr(1)] = value;
    return true;
}

CommandLine readCommandLine(const fs::path& dir, const std::vector<std::string>& args)
{
    CommandLine line;
    for (const Option& option : kOptions)
        line.values[std::string(option.name)] = option.initial;
    if (fs::is_regular_file(dir / "standin-rompath.txt"))
        line.values["rompath"] = firstLineOf(dir / "standin-rompath.txt");
    for (std::size_t at = 0; at < args.size(); ++at) {
        const std::string& word = args[at];
        if (!word.starts_with('-')) {
            line.words.push_back(word);
        } else if (std::find(std::begin(kCommands), std::end(kCommands), word) !=
                   std::end(kCommands)) {
            if (!line.command.empty()) {
                line.error =
                    "Error: multiple commands specified " + line.command + " and " + word + "\n";
                break;
            }
            line.command = word;
        } else if (!takeSwitch(args, at, line)) {
            break;
        }
    }
    return line;
}

int showConfig(const CommandLine& line)
{
    std::string_view section;
    for (const Option& option : kOptions) {
        if (option.section != section) {
            std::cout << (section.empty() ? "" : "\n") << "#\n# " << option.section << "\n#\n";
            section = option.section;
        }
        const std::string& value = line.values.at(std::string(option.name));
        const bool quoted = value.find(' ') != std::string::npos;
        std::cout << padRight(std::string(option.name), 25) << ' ' << (quoted ? "\"" : "") << value
                  << (quoted ? "\"" : "") << "\n";
    }
    std::cout << "\n";
    return 0;
}

std::string xmlEscaped(const std::string& text)
{
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// The catalogue today's MAME prints and knows: the XML file beside it, else the built-in.
std::string listXml(const fs::path& dir)
{
    if (fs::is_regular_file(dir / "standin-listxml.xml"))
        return contentOf(dir / "standin-listxml.xml");
    const std::string build = firstLineOf(dir / "standin-version.txt");
    return std::string(kListXmlHead) + "<mame build=\"" + xmlEscaped(build) +
           "\" debug=\"no\" mameconfig=\"10\">\n" + std::string(kBuiltInMachines) + "</mame>\n";
}

// The value of an attribute of a tag's text; empty when the tag lacks it.
std::string attribute(std::string_view tag, std::string_view key)
{
    const std::string opening = std::string(key) + "=\"";
    for (auto at = tag.find(opening); at != std::string_view::npos;
         at = tag.find(opening, at + 1)) {
        if (at == 0 || (tag[at - 1] != ' ' && tag[at - 1] != '\t' && tag[at - 1] != '\n'))
            continue;
        const auto start = at + opening.size();
        const auto end = tag.find('"', start);
        return std::string(tag.substr(start, end == std::string_view::npos ? end : end - start));
    }
    return {};
}

struct Machine
{
    std::string name;
    std::string parent; // the set it takes ROMs from, as MAME names it after the set's own
};

std::vector<Machine> machinesIn(std::string_view xml)
{
    std::vector<Machine> machines;
    for (auto at = xml.find("<machine"); at != std::string_view::npos;
         at = xml.find("<machine", at + 1)) {
        const auto end = xml.find('>', at);
        const std::string_view tag = xml.substr(at, end == std::string_view::npos ? end : end - at);
        if (tag.size() <= 8 || (tag[8] != ' ' && tag[8] != '\t' && tag[8] != '\n'))
            continue;
        std::string parent = attribute(tag, "romof");
        if (parent.empty())
            parent = attribute(tag, "cloneof");
        machines.push_back({attribute(tag, "name"), std::move(parent)});
    }
    return machines;
}

enum class Audit
{
    Absent,
    Good,
    BestAvailable,
    Bad,
};

Audit audit(const fs::path& roms, const std::string& name)
{
    std::error_code error;
    if (!isPlainName(name))
        return Audit::Absent;
    if (fs::exists(roms / (name + ".zip"), error) || fs::is_directory(roms / name, error))
        return Audit::Good;
    if (fs::is_regular_file(roms / (name + ".best"), error))
        return Audit::BestAvailable;
    if (fs::is_regular_file(roms / (name + ".bad"), error))
        return Audit::Bad;
    return Audit::Absent;
}

void printBadLines(const fs::path& badFile, const std::string& name)
{
    std::ifstream file(badFile);
    std::string line;
    while (std::getline(file, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!trimmed(line).empty())
            std::cout << padRight(name, 12) << ": " << line << "\n";
    }
}

// The sets are checked in the catalogue's order, each once, whatever the order and the
// repeats of the names; no names at all checks every set.
int verifyRomsToday(const fs::path& dir, const std::vector<std::string>& names)
{
    const fs::path roms = dir / "roms";
    std::vector<bool> known(names.size(), false);
    int found = 0;
    int good = 0;
    for (const Machine& machine : machinesIn(listXml(dir))) {
        bool wanted = names.empty();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == machine.name)
                wanted = known[i] = true;
        }
        const Audit result = wanted ? audit(roms, machine.name) : Audit::Absent;
        if (result == Audit::Absent)
            continue;
        ++found;
        if (result == Audit::Bad)
            printBadLines(roms / (machine.name + ".bad"), machine.name);
        else
            ++good;
        std::cout << "romset " << machine.name
                  << (machine.parent.empty() ? "" : " [" + machine.parent + "]")
                  << (result == Audit::Good            ? " is good\n"
                      : result == Audit::BestAvailable ? " is best available\n"
                                                       : " is bad\n");
    }
    // MAME stops at the first name it does not know, and then counts nothing.
    for (std::size_t i = 0; i < names.size(); ++i) {
        if (!known[i]) {
            std::cerr << "No matching systems found for '" << names[i] << "'\n";
            return 5;
        }
    }
    if (names.size() == 1 && found == 0) {
        std::cerr << "romset \"" << names[0] << "\" not found!\n";
        return 2;
    }
    const std::string count =
        std::to_string(found) + " romsets found, " + std::to_string(good) + " were OK.\n";
    (good < found ? std::cerr : std::cout) << count;
    return good < found ? 2 : 0;
}

int recordToday(const CommandLine& line, const fs::path& target)
{
    std::error_code error;
    fs::create_directories(target.parent_path(), error);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file << "Korvane stand-in MAME recording: nothing was emulated, no input was recorded.\n"
         << "game " << line.words[0] << "\n";
    file.close();
    if (!file) {
        std::cerr << "stand-in MAME: cannot write " << target.string() << "\n";
        return 1;
    }
    return 0;
}

int launch(const CommandLine& line)
{
    if (line.words.empty())
        return 0;
    const fs::path inputs = line.values.at("input_directory");
    const std::string& playback = line.values.at("playback");
    std::error_code error;
    if (!playback.empty() && !fs::is_regular_file(inputs / playback, error)) {
        std::cout << "Ignoring MAME exception: Input file " << playback << " not found\n\n";
        std::cerr << "Fatal error: Input file " << playback << " not found\n\n";
        return 3;
    }
    const std::string& record = line.values.at("record");
    return record.empty() ? 0 : recordToday(line, inputs / record);
}

int runToday(const fs::path& dir, const std::vector<std::string>& args)
{
    const CommandLine line = readCommandLine(dir, args);
    if (!line.error.empty()) {
        std::cerr << line.error;
        return 6;
    }
    std::cerr << line.warnings;
    if (line.command == "-version") {
        std::cout << contentOf(dir / "standin-version.txt");
        return 0;
    }
    if (line.command == "-showconfig")
        return showConfig(line);
    if (line.command == "-listxml") {
        std::cout << listXml(dir);
        return 0;
    }
    if (line.command == "-verifyroms")
        return verifyRomsToday(dir, line.words);
    return launch(line);
}

int run(const fs::path& dir, const std::vector<std::string>& args)
{
    std::error_code error;
    if (fs::is_regular_file(dir / "standin-version.txt", error))
        return runToday(dir, args);
    return runClassic(dir, args);
}

void appendLog(const fs::path& dir, const std::vector<std::string>& args)
{
    std::error_code error;
    const fs::path cwd = fs::current_path(error);
    std::string block = "run\ncwd " + (error ? std::string() : cwd.string()) + "\n";
    for (const std::string& arg : args)
        block += "arg " + arg + "\n";
    block += "end\n";
    // One write for the whole block keeps blocks of runs that overlap apart.
    std::ofstream log(dir / "standin-mame.log", std::ios::binary | std::ios::app);
    log.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// A helper that goes on sleeping after the stand-in has ended, unless its group is ended.
void startChild(const fs::path& dir)
{
    const pid_t child = ::fork();
    if (child == 0) {
        ::sleep(60);
        ::_exit(0);
    }
    std::ofstream(dir / "standin-child.pid") << child << "\n";
}

[[noreturn]] void crash()
{
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::signal(SIGSEGV, SIG_DFL);
    std::raise(SIGSEGV);
    std::abort();
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args =
        argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
    const fs::path dir = ownDirectory(argc > 0 ? argv[0] : nullptr);
    long crashAfter = -1;
    const bool crashes = numberIn(dir / "standin-crash.txt", crashAfter) && crashAfter >= 0;
    // A crash cuts the answer short: it is kept until then.
    std::ostringstream kept;
    std::streambuf* const output = crashes ? std::cout.rdbuf(kept.rdbuf()) : nullptr;
    int status = 1;
    try {
        if (fs::exists(dir / "standin-child.txt"))
            startChild(dir);
        long number = 0;
        if (numberIn(dir / "standin-delay.txt", number) && number > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(number));
        status = run(dir, args);
        if (numberIn(dir / "standin-exit.txt", number))
            status = static_cast<int>(number);
    } catch (const std::exception& failure) {
        std::cerr << "stand-in MAME: " << failure.what() << "\n";
    }
    if (crashes) {
        std::cout.rdbuf(output);
        const std::string answer = kept.str();
        std::cout << answer.substr(0, std::min(answer.size(), std::size_t(crashAfter)));
    }
    std::cout.flush();
    try {
        appendLog(dir, args);
    } catch (const std::exception& failure) {
        std::cerr << "stand-in MAME: cannot log: " << failure.what() << "\n";
    }
    if (crashes)
        crash();
    return status;
}

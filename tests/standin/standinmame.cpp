// A stand-in for the MAME emulator, used by the tests, the benchmarks and the demo directory.
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
//                        roms/NAME.bad present: the set is bad, each word of that file
//                        naming a missing ROM (exit 2); otherwise: not found (exit 1).
//   ... -record NAME ... writes INP/NAME.INP (INP must exist; exit 1 when it does not).
//   anything else        does nothing; exit 0.
//
// Today's MAME:
//
//   -version             prints standin-version.txt as it is; exit 0.
//   -showconfig          prints a few of its options as MAME prints them, in sections, each
//                        name padded to 26 columns; rompath is "roms"; exit 0.
//   -listxml             prints standin-listxml.xml when it exists, else the built-in
//                        catalogue as XML, with a device after the machines; exit 0.
//   -verifyroms [NAME...] the sets of roms (those named, or all of them) in the order of
//                        their names, each judged as by the classic MAME: its missing ROMs,
//                        then "romset NAME is good" or "... is bad", written at once after
//                        a pause of standin-pace.txt milliseconds; then "N romsets found, M
//                        were OK."; exit 0 when every set it found is good, else 2.
//   anything else        does nothing; exit 0.
//
// Four files beside it change every answer, in both modes, for tests of what a caller does
// with a slow, failing or crashing emulator:
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
// standin-replay.txt beside it makes it replay a run of a real MAME instead of answering
// anything: its first line names the file of that run's output (tests/fixtures), printed as
// it stands (as many times over as its second line says, when there is one), after which the
// stand-in logs its run and ends as the file beside it, ending in ".end" for ".out", says:
// "exit N" with exit code N, "signal N" by signal N.
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
#include <csignal>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

// The built-in catalogue, in MAME's order: a game, its clone, a BIOS, a game that takes its
// ROMs from the BIOS and a game whose driver is preliminary.
struct Machine
{
    const char* name;
    const char* description;
    const char* year;
    const char* manufacturer;
    const char* cloneof; // "": none
    const char* romof;   // "": none
    const char* rom;     // its one ROM, 4096 bytes long, its checksum all zeros
    const char* status;  // its driver's; "": a BIOS, a "resource" of the classic list
};

constexpr Machine kMachines[] = {
    // clang-format off
    {"glimwart", "Glimwart Caverns (World)", "1984", "Quillon Amusements", "", "", "gw1.1a", "good"},
    {"glimwrtj", "Glimwart Caverns (Japan)", "1984", "Quillon Amusements", "glimwart", "glimwart", "gwj1.1a", "good"},
    {"neogeo", "Stand-in Neo-Geo BIOS", "1990", "Stand-in", "", "", "sp-s.sp1", ""},
    {"orbisque", "Orbisque Deluxe", "1995", "Halvane Soft", "", "neogeo", "301-p1.bin", "good"},
    {"tundrax", "Tundra Express", "1986", "Brassfield", "", "", "tx-a.8h", "preliminary"},
    // clang-format on
};

void printListInfo(std::ostream& out)
{
    for (const Machine& m : kMachines) {
        out << (*m.status ? "game" : "resource") << " (\n\tname " << m.name << "\n\tdescription \""
            << m.description << "\"\n\tyear " << m.year << "\n";
        if (*m.cloneof)
            out << "\tcloneof " << m.cloneof << "\n";
        if (*m.romof)
            out << "\tromof " << m.romof << "\n";
        out << "\tmanufacturer \"" << m.manufacturer << "\"\n\trom ( name " << m.rom
            << " size 4096 crc 00000000 )\n";
        if (*m.status)
            out << "\tdriver ( status " << m.status << " color good sound good )\n";
        out << ")\n\n";
    }
}

// MAME's document type, cut down to its first line.
constexpr const char* kListXmlHead =
    "<?xml version=\"1.0\"?>\n<!DOCTYPE mame [\n<!ELEMENT mame (machine+)>\n]>\n"
    "<mame build=\"0.251 (unknown)\" debug=\"no\" mameconfig=\"10\">\n";

void printListXml(std::ostream& out)
{
    out << kListXmlHead;
    for (const Machine& m : kMachines) {
        out << "\t<machine name=\"" << m.name << "\"" << (*m.status ? "" : " isbios=\"yes\"");
        if (*m.cloneof)
            out << " cloneof=\"" << m.cloneof << "\"";
        if (*m.romof)
            out << " romof=\"" << m.romof << "\"";
        out << ">\n\t\t<description>" << m.description << "</description>\n\t\t<year>" << m.year
            << "</year>\n\t\t<manufacturer>" << m.manufacturer
            << "</manufacturer>\n\t\t<rom name=\"" << m.rom
            << "\" size=\"4096\" crc=\"00000000\"/>\n"
            << "\t\t<driver status=\"" << (*m.status ? m.status : "good") << "\"/>\n\t</machine>\n";
    }
    out << "\t<machine name=\"quillsnd\" isdevice=\"yes\" runnable=\"no\">\n"
           "\t\t<description>Quillon QS-1 Sound Chip</description>\n\t</machine>\n</mame>\n";
}

// A name used to build a file name beside the stand-in: it must stay inside its directory.
bool isPlainName(const std::string& name)
{
    return !name.empty() && name != "." && name != ".." && name.find('/') == std::string::npos;
}

// printf's formatting, for the lines MAME prints in columns.
template <typename... Values>
std::string format(const char* pattern, Values... values)
{
    std::string text(static_cast<std::size_t>(std::snprintf(nullptr, 0, pattern, values...)), ' ');
    std::snprintf(text.data(), text.size() + 1, pattern, values...);
    return text;
}

// The file's contents; empty when there is none.
std::string contentOf(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
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
    if (!isPlainName(name) || !fs::is_regular_file(roms / (name + ".bad"), error)) {
        std::cout << format("romset \"%8s\" not found!\n", name.c_str());
        return 1;
    }
    // Every ROM of a stand-in set is 2048 bytes long, its checksum all zeros.
    std::istringstream missing(contentOf(roms / (name + ".bad")));
    for (std::string rom; missing >> rom;)
        std::cout << format("%-8s: %-15s 2048 bytes 00000000 NOT FOUND\n", name.c_str(),
                            rom.c_str());
    std::cout << "romset " << name << " is bad\n1 romsets found, 0 were OK.\n";
    return 2;
}

bool numberIn(const fs::path& file, long& number);

int verifyTodaysRoms(const fs::path& dir, const std::vector<std::string>& named)
{
    std::vector<std::string> sets;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir / "roms", error)) {
        const fs::path file = entry.path().filename();
        if (entry.is_directory(error) || file.extension() == ".zip" || file.extension() == ".bad")
            sets.push_back((entry.is_directory(error) ? file : file.stem()).string());
    }
    std::sort(sets.begin(), sets.end());
    sets.erase(std::unique(sets.begin(), sets.end()), sets.end());
    if (!named.empty())
        std::erase_if(sets, [&](const std::string& set) {
            return std::find(named.begin(), named.end(), set) == named.end();
        });
    long pace = 0;
    numberIn(dir / "standin-pace.txt", pace);
    std::size_t ok = 0;
    for (const std::string& set : sets) {
        std::this_thread::sleep_for(std::chrono::milliseconds(pace));
        const fs::path roms = dir / "roms";
        if (fs::exists(roms / (set + ".zip"), error) || fs::is_directory(roms / set, error)) {
            std::cout << "romset " << set << " is good\n";
            ++ok;
        } else {
            std::istringstream missing(contentOf(roms / (set + ".bad")));
            for (std::string rom; missing >> rom;)
                std::cout << format("%-12s: %s (2048 bytes) - NOT FOUND\n", set.c_str(),
                                    rom.c_str());
            std::cout << "romset " << set << " is bad\n";
        }
        std::cout.flush();
    }
    std::cout << sets.size() << " romsets found, " << ok << " were OK.\n";
    return !sets.empty() && ok == sets.size() ? 0 : 2;
}

int record(const fs::path& dir, const std::vector<std::string>& args)
{
    const auto at = std::find(args.begin(), args.end(), "-record");
    if (at == args.end())
        return 0;
    if (at + 1 == args.end() || !isPlainName(at[1]) || !fs::is_directory(dir / "INP")) {
        std::cerr << "stand-in MAME: -record needs a plain file name and the directory INP\n";
        return 1;
    }
    std::ofstream file(dir / "INP" / (at[1] + ".INP"), std::ios::binary | std::ios::trunc);
    file << "Korvane stand-in MAME recording: nothing was emulated, no input was recorded.\n";
    if (at != args.begin())
        file << "game " << args[0] << "\n";
    file.close();
    return file ? 0 : 1;
}

// A few of today's MAME's options, in its sections, with their values when unchanged.
constexpr const char* kConfig = "#\n# CORE SEARCH PATH OPTIONS\n#\n"
                                "rompath                   roms\n"
                                "\n#\n# CORE OUTPUT DIRECTORY OPTIONS\n#\n"
                                "input_directory           inp\n\n";

int run(const fs::path& dir, const std::vector<std::string>& args)
{
    const std::string first = args.empty() ? "" : args[0];
    if (fs::is_regular_file(dir / "standin-version.txt")) {
        if (first == "-version")
            std::cout << contentOf(dir / "standin-version.txt");
        else if (first == "-showconfig")
            std::cout << kConfig;
        else if (first == "-listxml" && fs::is_regular_file(dir / "standin-listxml.xml"))
            std::cout << contentOf(dir / "standin-listxml.xml");
        else if (first == "-listxml")
            printListXml(std::cout);
        else if (first == "-verifyroms")
            return verifyTodaysRoms(dir, {args.begin() + 1, args.end()});
        return 0;
    }
    if (first == "-listinfo" && fs::is_regular_file(dir / "standin-listinfo.txt"))
        std::cout << contentOf(dir / "standin-listinfo.txt");
    else if (first == "-listinfo")
        printListInfo(std::cout);
    else if (args.size() >= 2 && args[1] == "-verifyroms")
        return verifyRoms(dir, first);
    else
        return record(dir, args);
    return 0;
}

void appendLog(const fs::path& dir, const std::vector<std::string>& args)
{
    std::error_code error; // the working directory is left empty when it cannot be told
    std::string block = "run\ncwd " + fs::current_path(error).string() + "\n";
    for (const std::string& arg : args)
        block += "arg " + arg + "\n";
    block += "end\n";
    // One write for the whole block keeps blocks of runs that overlap apart.
    std::ofstream log(dir / "standin-mame.log", std::ios::binary | std::ios::app);
    log.write(block.data(), static_cast<std::streamsize>(block.size()));
}

// The number in a control file beside the stand-in, if there is one.
bool numberIn(const fs::path& file, long& number)
{
    std::ifstream in(file);
    return static_cast<bool>(in >> number);
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

[[noreturn]] void crash(int signal = SIGSEGV)
{
    const rlimit noCore{0, 0};
    ::setrlimit(RLIMIT_CORE, &noCore);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::abort();
}

int replay(const fs::path& dir, const std::vector<std::string>& args)
{
    std::istringstream control(contentOf(dir / "standin-replay.txt"));
    std::string file;
    long times = 1;
    std::getline(control, file);
    control >> times;
    const std::string output = contentOf(file);
    for (long i = 0; i < times; ++i)
        std::cout.write(output.data(), static_cast<std::streamsize>(output.size()));
    std::cout.flush();
    appendLog(dir, args);
    std::istringstream end(contentOf(fs::path(file).replace_extension(".end")));
    std::string how;
    int number = 1;
    end >> how >> number;
    if (how == "signal")
        crash(number);
    return number;
}

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args(argv + std::min(argc, 1), argv + argc);
    // Where the answers come from and the log goes: the directory of the executable itself.
    const fs::path dir = fs::read_symlink("/proc/self/exe").parent_path();
    if (fs::is_regular_file(dir / "standin-replay.txt"))
        return replay(dir, args);
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
        std::cout << kept.str().substr(0, static_cast<std::size_t>(crashAfter));
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

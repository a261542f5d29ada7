// A stand-in for the MAME emulator, used by the tests and the demo directory.
//
// It never emulates anything. It answers the few requests Korvane makes of the emulator
// from files in its own directory (the directory of /proc/self/exe, so a copy placed in a
// test's program directory answers from there, wherever it is started from):
//
//   -listinfo            prints standin-listinfo.txt when it exists, else a small built-in
//                        catalogue; exit 0.
//   NAME -verifyroms     roms/NAME.zip or roms/NAME/ present: the set is good (exit 0);
//                        roms/NAME.bad present: the set is bad, each non-empty line of that
//                        file naming a missing ROM (exit 2); otherwise: not found (exit 1).
//   ... -record NAME ... writes INP/NAME.INP (INP must exist; exit 1 when it does not).
//   anything else        does nothing; exit 0.
//
// Two files beside it change every answer, for tests of what a caller does with a slow or
// failing emulator:
//
//   standin-delay.txt    a number of milliseconds to wait before answering;
//   standin-exit.txt     an exit code to end with, whatever the answer's own.
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

#include <chrono>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <thread>
#include <vector>

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

int run(const fs::path& dir, const std::vector<std::string>& args)
{
    if (!args.empty() && args[0] == "-listinfo")
        return listInfo(dir);
    if (args.size() >= 2 && args[1] == "-verifyroms")
        return verifyRoms(dir, args[0]);
    return record(dir, args);
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

} // namespace

int main(int argc, char* argv[])
{
    const std::vector<std::string> args =
        argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
    const fs::path dir = ownDirectory(argc > 0 ? argv[0] : nullptr);
    int status = 1;
    try {
        long number = 0;
        if (numberIn(dir / "standin-delay.txt", number) && number > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(number));
        status = run(dir, args);
        if (numberIn(dir / "standin-exit.txt", number))
            status = static_cast<int>(number);
    } catch (const std::exception& failure) {
        std::cerr << "stand-in MAME: " << failure.what() << "\n";
    }
    std::cout.flush();
    try {
        appendLog(dir, args);
    } catch (const std::exception& failure) {
        std::cerr << "stand-in MAME: cannot log: " << failure.what() << "\n";
    }
    return status;
}

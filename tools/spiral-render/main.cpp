// SPDX-License-Identifier: GPL-3.0-or-later
// spiral-render: draws one spiral headless, exactly as the program's drawing pass does, writes
// it as PNG and prints the statistics. A tool for checking pictures, not the program itself.
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <QGuiApplication>
#include <QString>
#include <algorithm>
#include <array>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <new>
#include <optional>
#include <string>
#include <string_view>

#include "cell_report.h"
#include "engine/density_map.h"
#include "engine/spiral_pass.h"
#include "platform/file_writing.h"
#include "platform/picture_export.h"
#include "progress_meter.h"
#include "text/captions.h"

namespace {

constexpr const char* kUsage =
    "usage: spiral-render --out FILE.png [--start TEXT] [--box N] [--show N] [--color N]\n"
    "                     [--squares] [--grid] [--numerals] [--size N] [--longest]\n"
    "                     [--density K]\n"
    "  --start TEXT  centre number: digits, spaces around them allowed (default 1)\n"
    "  --box N       cell size: 1, 3, 5, 7, 15, 21, 35 or 75 (default 15)\n"
    "  --show N      0 primes, 1 random, 2 squares, 3 triangular, 4 all (default 0)\n"
    "  --color N     0 cluster, 1 NW-SE, 2 SW-NE, 3 ring, 4 sequence, 5 Ostrand, 6 white\n"
    "                (default 0)\n"
    "  --size N      side of the square picture in pixels, 3 to 46339 (default 527);\n"
    "                with --numerals at most 8192\n"
    "  --density K   a density map: each pixel the share of marked numbers in a block\n"
    "                of K x K cells, K = 2 to 999\n";

// --help: the usage, and what comes out.
constexpr const char* kHelp =
    "Draws one Ulam spiral without a window, exactly as Quorvel draws it, writes it as PNG and\n"
    "prints its statistics.\n"
    "\n"
    "  --out FILE.png  where the picture goes (required); replaced only when written whole.\n"
    "                  A pipe or device is written directly (a named pipe: once a reader\n"
    "                  opens it); - or /dev/stdout is standard output, and the statistics\n"
    "                  then go to standard error\n"
    "  --squares       square marks instead of circles\n"
    "  --grid          grid marks in unmarked cells (box size 15 and up)\n"
    "  --numerals      the numbers in the marked cells where they fit (box size above 7)\n"
    "  --longest       measure the longest diagonal runs of marked cells\n"
    "  --help          this text;  --version  the version\n"
    "\n"
    "A picture of 46339 x 46339 pixels at box size 1 holds every number from 1 to\n"
    "2147302921; it takes a little over one byte a pixel of memory, or one bit for\n"
    "the primes (--show 0) in any --color but 0, without --longest. A density map\n"
    "shows the share of marked numbers in each block on a colour ramp from near\n"
    "black (none) through purple, red and orange to pale yellow (all), a block lying\n"
    "as far along it as the square root of its share. Only --start and --show change\n"
    "a map; it takes no --box, --grid, --numerals or --longest. Its outermost ring\n"
    "of pixels may reach past 2147483646: --size 4213 --density 11 shows the whole\n"
    "range, and its statistics are those of the numbers it covers. The PNG file\n"
    "carries the settings in the text chunks Software and Description (density=0 for\n"
    "a picture of cells). Big pictures show their progress on a terminal.\n"
    "\n"
    "Printed on success, one per line: end=, numbers=, shown=, smallest_prime=,\n"
    "largest_prime=, and with --longest longest_nwse= and longest_swne=; on standard\n"
    "output, or on standard error where the picture goes to standard output.\n"
    "\n"
    "Exit status: 0 drawn and written; 1 the spiral was refused (its numbers would pass\n"
    "2147483646, or 268435455 for triangular numbers), the file could not be written or\n"
    "memory ran out; 2 bad options; 130 interrupted (Ctrl+C, SIGINT) and 143 terminated\n"
    "(SIGTERM), either of which leaves no file behind, temporary or partial.\n";

constexpr std::array kBoxSizes = {1, 3, 5, 7, 15, 21, 35, 75};

struct Options {
    std::string out;
    quorvel::PassInput pass;
    int size = 527;
    int density = 0;  // 0: a picture of cells
    bool boxGiven = false;
};

// Only real trouble from the toolkit reaches stderr; its start-up chatter about the desktop
// environment would get in the way of the tool's own messages.
void QuietMessages(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg) {
        std::fprintf(stderr, "spiral-render: %s\n", message.toLocal8Bit().constData());
    }
}

int Fail(const std::string& why) {
    std::fprintf(stderr, "spiral-render: %s\n%s", why.c_str(), kUsage);
    return 2;
}

// A whole number from lo to hi written in plain digits, or nothing.
std::optional<int> ParseNumber(std::string_view text, int lo, int hi) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const char ch : text) {
        if (ch < '0' || ch > '9') return std::nullopt;
        value = value * 10 + (ch - '0');
    }
    if (value < lo || value > hi) return std::nullopt;
    return value;
}

std::string BoxSizeList() {
    std::string list;
    for (const int size : kBoxSizes)
        list += (list.empty() ? "" : ", ") + std::to_string(size);
    return list;
}

// Why a --size is refused: too small, too large, or not a number at all.
std::string SizeRefusal(std::string_view value) {
    const bool digits = !value.empty() && value.find_first_not_of("0123456789") == value.npos;
    if (digits && value.size() <= 9 &&
        std::stoi(std::string(value)) < quorvel::kSmallestPictureSide)
        return "a picture needs at least " + std::to_string(quorvel::kSmallestPictureSide) +
               " pixels a side";
    if (digits)
        return "a picture has at most " + std::to_string(quorvel::kLargestPictureSide) +
               " pixels a side";
    return "the side is a number of pixels, " + std::to_string(quorvel::kSmallestPictureSide) +
           " to " + std::to_string(quorvel::kLargestPictureSide);
}

// The start-number box's text for --start: digits, with spaces around them allowed, and
// leading zeros removed as the box removes them ("007" is 7, "000" is 0). Blank stays blank,
// which the pass reads as 1. Nothing for anything else.
std::optional<std::string> StartText(std::string_view value) {
    const std::string_view digits = quorvel::TrimSpaces(value);
    if (digits.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    return std::string(quorvel::WithoutLeadingZeros(digits));
}

// Options that each make sense but not together; empty when they do.
std::string CheckCombination(const Options& options) {
    if (options.density > 0) {
        if ((options.boxGiven && options.pass.boxSize != 1) || options.pass.grid ||
            options.pass.numerals || options.pass.calculateLongest) {
            return "a density map draws no cells: --density takes no --box, --grid, --numerals "
                   "or --longest";
        }
    } else if (options.pass.numerals && options.size > quorvel::kLargestNumeralsSide) {
        return "--numerals needs full colour, 4 bytes a pixel: at most --size " +
               std::to_string(quorvel::kLargestNumeralsSide);
    }
    return {};
}

// Returns an empty string on success, else what is wrong.
std::string ParseOptions(int argc, char* argv[], Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--squares") {
            options.pass.squares = true;
        } else if (arg == "--grid") {
            options.pass.grid = true;
        } else if (arg == "--numerals") {
            options.pass.numerals = true;
        } else if (arg == "--longest") {
            options.pass.calculateLongest = true;
        } else if (arg == "--out" || arg == "--start" || arg == "--box" || arg == "--show" ||
                   arg == "--color" || arg == "--size" || arg == "--density") {
            if (i + 1 >= argc) return std::string(arg) + " needs a value";
            const std::string_view value = argv[++i];
            // "--size 2: a picture needs at least 3 pixels a side": the value and what the
            // option takes.
            const auto bad = [&](const std::string& takes) {
                return std::string(arg) + " " + std::string(value) + ": " + takes;
            };
            if (arg == "--out") {
                if (value.empty()) return bad("the name of the file to write");
                options.out = value;
            } else if (arg == "--start") {
                const auto start = StartText(value);
                if (!start) return bad("a start number takes only the digits 0-9");
                options.pass.startText = *start;
            } else if (arg == "--box") {
                const auto box = ParseNumber(value, 1, 75);
                if (!box ||
                    std::find(kBoxSizes.begin(), kBoxSizes.end(), *box) == kBoxSizes.end()) {
                    return bad("the box size is one of " + BoxSizeList());
                }
                options.pass.boxSize = *box;
                options.boxGiven = true;
            } else if (arg == "--show") {
                const auto show = ParseNumber(value, 0, quorvel::kShowModeCount - 1);
                if (!show) {
                    return bad("what is shown is 0 to " +
                               std::to_string(quorvel::kShowModeCount - 1));
                }
                options.pass.show = static_cast<quorvel::ShowMode>(*show);
            } else if (arg == "--color") {
                const auto color = ParseNumber(value, 0, quorvel::kColorSchemeCount - 1);
                if (!color) {
                    return bad("the colour scheme is 0 to " +
                               std::to_string(quorvel::kColorSchemeCount - 1));
                }
                options.pass.colorBy = static_cast<quorvel::ColorScheme>(*color);
            } else if (arg == "--density") {
                const auto density = ParseNumber(value, quorvel::kSmallestDensityBlock,
                                                 quorvel::kLargestDensityBlock);
                if (!density) {
                    return bad("a density block is " +
                               std::to_string(quorvel::kSmallestDensityBlock) + " to " +
                               std::to_string(quorvel::kLargestDensityBlock) + " numbers a side");
                }
                options.density = *density;
            } else {
                const auto size =
                    ParseNumber(value, quorvel::kSmallestPictureSide, quorvel::kLargestPictureSide);
                if (!size) return bad(SizeRefusal(value));
                options.size = *size;
            }
        } else {
            return "unknown option '" + std::string(arg) + "'";
        }
    }
    if (options.out.empty()) return "--out is required";
    return CheckCombination(options);
}

// Set by Ctrl+C (or a polite kill): the picture is abandoned and its file never appears. Nothing
// the export does waits long without looking at it, a pipe nobody reads included.
std::atomic<bool> interrupted{false};
std::atomic<int> interruptedBy{0};  // the signal

void Interrupt(int signal) {
    interruptedBy = signal;
    interrupted = true;
    std::signal(signal, SIG_DFL);  // a second Ctrl+C ends the program at once
}

// Whether the picture goes to standard output: "-", or a name for the very file, pipe or
// terminal that standard output is (/dev/stdout, /proc/self/fd/1). Such a picture is written
// into standard output as it is, never through a temporary file beside it.
bool IsStandardOutput(const std::string& out) {
    if (out == "-") return true;
    struct stat named {};
    struct stat standard {};
    return ::stat(out.c_str(), &named) == 0 && ::fstat(STDOUT_FILENO, &standard) == 0 &&
           named.st_dev == standard.st_dev && named.st_ino == standard.st_ino;
}

// Cells the picture is drawn from, to judge whether its progress is worth showing.
std::int64_t CellsOf(const quorvel::ExportSettings& picture) {
    if (picture.density > 0) {
        const std::int64_t side = std::int64_t{picture.side} * picture.density;
        return side * side;
    }
    return quorvel::ComputeGeometry(picture.side, picture.side, picture.pass.boxSize)
        .numberOfNumbers;
}

}  // namespace

namespace {

int Render(int argc, char* argv[]) {
    // Past a file-size limit a write should fail and be reported, not end the program.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGINT, Interrupt);
    std::signal(SIGTERM, Interrupt);

    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::printf("%s\n%s\n%s", kUsage, kHelp, quorvel::render::kInspectHelp);
            return 0;
        }
        if (arg == "--version") {
            std::printf("spiral-render (Quorvel) %s\n", QUORVEL_VERSION);
            return 0;
        }
    }

    if (quorvel::render::WantsInspect(argc, argv)) return quorvel::render::RunInspect(argc, argv);

    Options options;
    if (const std::string why = ParseOptions(argc, argv, options); !why.empty()) return Fail(why);
    // The name as the system gave it. One that is not valid UTF-8 cannot be carried through the
    // toolkit unchanged, and writing some other file instead would be worse than refusing.
    const QString out = QFile::decodeName(QByteArray::fromStdString(options.out));
    if (QFile::encodeName(out).toStdString() != options.out)
        return Fail("--out: the file name is not valid UTF-8; please choose another name");

    // Text needs a GUI application, though nothing is shown. It gets none of the user's
    // arguments, which it would read as its own (-platform, -style, …).
    qInstallMessageHandler(QuietMessages);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QGuiApplication app(toolkitArgc, toolkitArgv);

    const bool toStandardOutput = IsStandardOutput(options.out);
    // The statistics never go into the picture's bytes.
    std::FILE* const report = toStandardOutput ? stderr : stdout;
    const std::string target = options.out == "-" ? "standard output" : options.out;
    std::optional<quorvel::SafeFileWriter> file;
    if (toStandardOutput) {
        file.emplace(STDOUT_FILENO, &interrupted);
    } else {
        file.emplace(out, quorvel::SpecialFiles::WriteThrough, &interrupted);
    }
    quorvel::ExportSettings picture;
    picture.pass = options.pass;
    picture.side = options.size;
    picture.density = options.density;
    ProgressMeter meter(CellsOf(picture));
    const quorvel::ExportResult exported = quorvel::ExportPicture(
        picture, *file, [&](double fraction) { meter.Update(fraction); }, &interrupted);
    meter.Finish();
    const quorvel::PassResult& result = exported.pass;
    switch (exported.status) {
        case quorvel::ExportStatus::Written:
            break;
        case quorvel::ExportStatus::Refused:
            std::fprintf(
                stderr, "spiral-render: %s\n",
                quorvel::RefusalMessage(result.outcome, quorvel::intEnglish).toStdString().c_str());
            return 1;
        case quorvel::ExportStatus::Cancelled: {
            const int signal = interruptedBy.load();
            std::fprintf(stderr, "spiral-render: %s; %s was not written\n",
                         signal == SIGTERM ? "terminated" : "interrupted", target.c_str());
            return 128 + (signal == SIGTERM ? SIGTERM : SIGINT);
        }
        case quorvel::ExportStatus::WriteFailed:
            std::fprintf(stderr, "spiral-render: cannot write %s: %s\n", target.c_str(),
                         exported.error.toLocal8Bit().constData());
            return 1;
        case quorvel::ExportStatus::Failed:
            std::fprintf(stderr, "spiral-render: %s\n", exported.error.toLocal8Bit().constData());
            return 1;
    }
    std::fprintf(report, "end=%d\nnumbers=%d\nshown=%d\nsmallest_prime=%d\nlargest_prime=%d\n",
                 result.endNumber, result.geometry.numberOfNumbers, result.numberShown,
                 result.smallestPrime, result.largestPrime);
    if (result.runsMeasured) {
        std::fprintf(report, "longest_nwse=%d\nlongest_swne=%d\n", result.longest.nwse,
                     result.longest.swne);
    }
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    // Whatever runs short on the way (memory, threads) ends the program with a reason, never
    // with an abort.
    try {
        return Render(argc, argv);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "spiral-render: not enough memory\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "spiral-render: %s\n", e.what());
    }
    return 1;
}

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/png_encoder.h"

#include <isa-l/igzip_lib.h>
#include <zlib.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__)
#include <tmmintrin.h>
#endif

#include <algorithm>
#include <atomic>
#include <bit>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <exception>
#include <memory>
#include <mutex>
#include <new>
#include <stdexcept>

#include "engine/thread_pool.h"

namespace quorvel {
namespace {

// Uncompressed bytes per band: enough that the few bytes a band boundary costs do not show,
// small enough that a picture of any size keeps both cores busy to its last rows.
constexpr std::size_t kBandBytes = std::size_t{1} << 20;
// Deflated by ISA-L at its level 1. Measured on spirals of 8192² pixels (Cluster, Ostrand with
// all numbers, white), it deflates them 2.5 to 3 times as fast as zlib's quickest settings
// (run-length matching alone, or Huffman coding alone at one bit a pixel), into files 6 to 18 %
// larger; zlib's level 1 is slower still and makes larger files than either. Writing a picture
// then costs less than drawing it.
constexpr std::uint32_t kLevel = 1;

void PutBigEndian(std::uint8_t* p, std::uint32_t value) {
    p[0] = static_cast<std::uint8_t>(value >> 24);
    p[1] = static_cast<std::uint8_t>(value >> 16);
    p[2] = static_cast<std::uint8_t>(value >> 8);
    p[3] = static_cast<std::uint8_t>(value);
}

void AppendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value) {
    std::uint8_t bytes[4];
    PutBigEndian(bytes, value);
    out.insert(out.end(), bytes, bytes + 4);
}

void AppendChunk(std::vector<std::uint8_t>& out, const char* type,
                 const std::vector<std::uint8_t>& data) {
    AppendBigEndian(out, static_cast<std::uint32_t>(data.size()));
    const std::size_t typeAt = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    const uLong crc = crc32(0L, out.data() + typeAt, static_cast<uInt>(4 + data.size()));
    AppendBigEndian(out, static_cast<std::uint32_t>(crc));
}

std::optional<std::string> CheckHeader(const PngHeader& h) {
    if (h.width < 1 || h.height < 1) return "the picture has no pixels";
    if (h.truecolour ? h.bitDepth != 8
                     : (h.bitDepth != 1 && h.bitDepth != 2 && h.bitDepth != 4 && h.bitDepth != 8)) {
        return "no such PNG bit depth";
    }
    if (!h.truecolour && (h.palette.empty() || h.palette.size() > (std::size_t{1} << h.bitDepth))) {
        return "the palette does not fit the bit depth";
    }
    for (const auto& [keyword, text] : h.texts) {
        if (keyword.empty() || keyword.size() > 79 || keyword.find('\0') != std::string::npos ||
            text.find('\0') != std::string::npos) {
            return "a text chunk PNG cannot hold";
        }
    }
    return std::nullopt;
}

// Signature and every chunk before the pixels.
std::vector<std::uint8_t> HeadOf(const PngHeader& h) {
    std::vector<std::uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> ihdr;
    AppendBigEndian(ihdr, static_cast<std::uint32_t>(h.width));
    AppendBigEndian(ihdr, static_cast<std::uint32_t>(h.height));
    ihdr.push_back(static_cast<std::uint8_t>(h.bitDepth));
    ihdr.push_back(h.truecolour ? 2 : 3);
    ihdr.insert(ihdr.end(), {0, 0, 0});  // deflate, adaptive filtering, no interlace
    AppendChunk(out, "IHDR", ihdr);
    if (!h.truecolour) {
        std::vector<std::uint8_t> plte;
        for (const Rgb c : h.palette) {
            plte.push_back(static_cast<std::uint8_t>(c >> 16));
            plte.push_back(static_cast<std::uint8_t>(c >> 8));
            plte.push_back(static_cast<std::uint8_t>(c));
        }
        AppendChunk(out, "PLTE", plte);
    }
    if (h.dotsPerMetre > 0) {
        std::vector<std::uint8_t> phys;
        AppendBigEndian(phys, static_cast<std::uint32_t>(h.dotsPerMetre));
        AppendBigEndian(phys, static_cast<std::uint32_t>(h.dotsPerMetre));
        phys.push_back(1);  // per metre
        AppendChunk(out, "pHYs", phys);
    }
    for (const auto& [keyword, text] : h.texts) {
        std::vector<std::uint8_t> chunk(keyword.begin(), keyword.end());
        chunk.push_back(0);
        chunk.insert(chunk.end(), text.begin(), text.end());
        AppendChunk(out, "tEXt", chunk);
    }
    return out;
}

// Runs work(part) for every part 0 … parts - 1, part 0 on the caller's thread and the others
// on the pool's threads, or on the caller's too where no thread comes to them.
template <typename Work>
void RunParts(int parts, Work&& work) {
    TaskGroup helpers;
    for (int part = 1; part < parts; ++part)
        helpers.Run([&work, part] { work(part); });
    work(0);
    helpers.Wait();
    if (const std::exception_ptr failure = helpers.TakeFailure()) std::rethrow_exception(failure);
}

// One band of rows on its way to the file: a whole IDAT chunk but for its length, its CRC and,
// in the last band, the checksum of the zlib stream.
struct Band {
    std::vector<std::uint8_t> chunk;  // 8 bytes of chunk head, then the deflated data
    std::size_t rawBytes = 0;
    uLong adler = 1;
    uLong crc = 0;  // over "IDAT" and the data so far
    bool ready = false;
};

// The bands of one file, deflated by up to `threads` tasks on the pool's threads and written in
// order by the caller's, which deflates a band itself when no task has come to it.
class BandEncoder {
  public:
    BandEncoder(const PngHeader& header, const PngRowPacker& pack, int threads)
        : pack_(pack),
          lineBytes_(header.RowBytes() + 1),
          height_(header.height),
          rowsPerBand_(static_cast<int>(
              std::clamp<std::size_t>(kBandBytes / lineBytes_, 1, std::size_t(header.height)))),
          bands_((header.height + rowsPerBand_ - 1) / rowsPerBand_),
          threads_(threads),
          slots_(static_cast<std::size_t>(2 * threads + 1)) {
        std::unique_lock lock(mutex_);
        Feed(lock);
    }

    ~BandEncoder() {
        Stop(std::nullopt);
        tasks_.Wait();
    }

    // Writes the zlib stream as IDAT chunks.
    std::optional<std::string> WriteAll(const PngSink& sink, const PngControl& control) {
        uLong adler = 1;
        for (int b = 0; b < bands_; ++b) {
            if (control.cancel != nullptr && control.cancel->load()) {
                Stop(kPngCancelled);
                return kPngCancelled;
            }
            Band band;
            {
                std::unique_lock lock(mutex_);
                Band& slot = slots_[static_cast<std::size_t>(b) % slots_.size()];
                if (!slot.ready && !error_ && next_ == b) {
                    // No task has come to it yet: quicker done than waited for.
                    ++next_;
                    lock.unlock();
                    DeflateBand(b, own_);
                    lock.lock();
                }
                // Polling the cancel flag now and then is enough: a band takes milliseconds.
                while (!slot.ready && !error_) {
                    if (control.cancel != nullptr && control.cancel->load()) break;
                    changed_.wait_for(lock, std::chrono::milliseconds(50));
                }
                if (error_) return error_;
                if (!slot.ready) {
                    error_ = kPngCancelled;
                    changed_.notify_all();
                    return error_;
                }
                band = std::move(slot);
                slot = Band{};
                ++written_;
                Feed(lock);  // room for one more
            }
            changed_.notify_all();

            adler = b == 0
                        ? band.adler
                        : adler32_combine(adler, band.adler, static_cast<z_off_t>(band.rawBytes));
            if (b == bands_ - 1) {
                std::uint8_t trailer[4];
                PutBigEndian(trailer, static_cast<std::uint32_t>(adler));
                band.chunk.insert(band.chunk.end(), trailer, trailer + 4);
                band.crc = crc32(band.crc, trailer, 4);
            }
            PutBigEndian(band.chunk.data(), static_cast<std::uint32_t>(band.chunk.size() - 8));
            std::memcpy(band.chunk.data() + 4, "IDAT", 4);
            AppendBigEndian(band.chunk, static_cast<std::uint32_t>(band.crc));
            if (auto why = sink(band.chunk.data(), band.chunk.size())) {
                Stop(why);
                return why;
            }
            {
                // Fresh memory for every band would cost the system more than deflating it.
                const std::lock_guard lock(mutex_);
                spare_.push_back(std::move(band.chunk));
            }
            if (control.progress) control.progress(double(b + 1) / bands_);
        }
        return std::nullopt;
    }

    void Stop(std::optional<std::string> why) {
        {
            const std::lock_guard lock(mutex_);
            if (!error_) error_ = why ? std::move(why) : std::optional<std::string>("stopped");
        }
        changed_.notify_all();
    }

  private:
    // What deflating a band needs besides the band.
    struct Scratch {
        std::vector<std::uint8_t> work;
        std::vector<std::uint8_t> raw;
    };

    // Starts tasks while fewer than threads_ are under way and bands wait for them.
    void Feed(std::unique_lock<std::mutex>& lock) {
        const int room = std::min(written_ + static_cast<int>(slots_.size()), bands_) - next_;
        const int starting =
            error_ ? 0 : std::clamp(std::min(threads_ - working_, room), 0, threads_);
        if (starting == 0) return;
        working_ += starting;
        // (Unlocked: where the pool has no threads the task runs right here.)
        lock.unlock();
        for (int i = 0; i < starting; ++i)
            tasks_.Run([this] { Work(); });
        lock.lock();
    }

    // A task: deflates the next bands while there is room for them.
    void Work() {
        Scratch scratch;
        std::unique_lock lock(mutex_);
        if (!spareScratch_.empty()) {
            scratch = std::move(spareScratch_.back());
            spareScratch_.pop_back();
        }
        while (!error_ && next_ < bands_ && next_ < written_ + int(slots_.size())) {
            const int b = next_++;
            lock.unlock();
            DeflateBand(b, scratch);
            lock.lock();
        }
        // Fresh memory for every task would cost more than it saves.
        spareScratch_.push_back(std::move(scratch));
        --working_;
    }

    // Deflates band b into its slot and marks it ready; on failure stops the file.
    void DeflateBand(int b, Scratch& scratch) {
        try {
            if (scratch.work.empty()) scratch.work.resize(ISAL_DEF_LVL1_DEFAULT);
            scratch.raw.resize(static_cast<std::size_t>(rowsPerBand_) * lineBytes_);
            Band band;
            {
                const std::lock_guard lock(mutex_);
                if (!spare_.empty()) {
                    band.chunk = std::move(spare_.back());
                    spare_.pop_back();
                }
            }
            Deflate(scratch.work, b, scratch.raw, band);
            {
                const std::lock_guard lock(mutex_);
                band.ready = true;
                slots_[static_cast<std::size_t>(b) % slots_.size()] = std::move(band);
            }
            changed_.notify_all();
        } catch (const std::bad_alloc&) {
            Stop("not enough memory");
        } catch (const std::exception& e) {
            Stop(e.what());
        }
    }

    // Fills `band` (whose chunk may bring memory of an earlier band) with band b, deflated as
    // a stream of its own (no references back into the band before) that ends on a byte
    // boundary, or with the final block in the last band.
    void Deflate(std::vector<std::uint8_t>& work, int b, std::vector<std::uint8_t>& raw,
                 Band& band) const {
        const int first = b * rowsPerBand_;
        const int rows = std::min(rowsPerBand_, height_ - first);
        for (int i = 0; i < rows; ++i) {
            std::uint8_t* line = raw.data() + std::size_t(i) * lineBytes_;
            line[0] = 0;  // filter type None: palette pictures compress best unfiltered
            pack_(first + i, line + 1);
        }
        band.rawBytes = std::size_t(rows) * lineBytes_;
        band.adler = isal_adler32(1, raw.data(), band.rawBytes);

        const bool last = b == bands_ - 1;
        // Chunk head, and in the first band the zlib header: deflate with a 32 KiB window at
        // the fastest level (0x7801 is a multiple of 31, as the header must be).
        const std::size_t head = b == 0 ? 10 : 8;
        // Room for data that does not compress at all, in stored blocks.
        band.chunk.resize(head + band.rawBytes + band.rawBytes / 8 + 1024);
        if (b == 0) {
            band.chunk[8] = 0x78;
            band.chunk[9] = 0x01;
        }
        isal_zstream zs;
        isal_deflate_init(&zs);
        zs.level = kLevel;
        zs.level_buf = work.data();
        zs.level_buf_size = static_cast<std::uint32_t>(work.size());
        zs.next_in = raw.data();
        zs.avail_in = static_cast<std::uint32_t>(band.rawBytes);
        zs.end_of_stream = last ? 1 : 0;
        zs.flush = last ? NO_FLUSH : SYNC_FLUSH;
        std::size_t done = head;
        for (;;) {
            zs.next_out = band.chunk.data() + done;
            zs.avail_out = static_cast<std::uint32_t>(band.chunk.size() - done);
            if (isal_deflate(&zs) != COMP_OK) throw std::runtime_error("the compressor failed");
            done = band.chunk.size() - zs.avail_out;
            if (zs.avail_out > 0 && zs.avail_in == 0 &&
                (!last || zs.internal_state.state == ZSTATE_END)) {
                break;
            }
            band.chunk.resize(band.chunk.size() * 2);
        }
        band.chunk.resize(done);
        band.crc = crc32(crc32(0L, reinterpret_cast<const Bytef*>("IDAT"), 4),
                         band.chunk.data() + 8, static_cast<uInt>(done - 8));
    }

    const PngRowPacker& pack_;
    const std::size_t lineBytes_;
    const int height_;
    const int rowsPerBand_;
    const int bands_;
    const int threads_;

    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Band> slots_;                       // band b waits in slot b % size until written
    std::vector<std::vector<std::uint8_t>> spare_;  // chunk memory of written bands
    int next_ = 0;                                  // the next band to deflate
    int written_ = 0;                               // bands taken by the writer
    int working_ = 0;                               // tasks under way
    std::optional<std::string> error_;
    std::vector<Scratch> spareScratch_;  // of tasks done
    Scratch own_;                        // the writer's, for bands no task came to
    TaskGroup tasks_;                    // last: its tasks end before the rest goes
};

// Sets seen[i] for every index i among the n bytes at row. A plain store a byte: testing for
// runs of background first costs more in mispredicted branches than it saves.
void MarkIndices(const std::uint8_t* row, int n, std::uint8_t* seen) {
    for (int x = 0; x < n; ++x)
        seen[row[x]] = 1;
}

#if defined(__x86_64__)
// Four bits a pixel, sixteen pixels at a time, where every index is below 16: one shuffle looks
// all sixteen up in the first 16 entries of `remap`. Returns how many pixels it packed.
__attribute__((target("ssse3"))) int PackNibbles(const std::uint8_t* row, int width,
                                                 std::uint8_t* out, const std::uint8_t* remap) {
    const __m128i table = _mm_loadu_si128(reinterpret_cast<const __m128i*>(remap));
    const __m128i low = _mm_set1_epi16(0x00FF);
    int x = 0;
    for (; x + 16 <= width; x += 16, out += 8) {
        const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
        const __m128i looked = _mm_shuffle_epi8(table, pixels);
        // Each pair of pixels, first one in the low byte, becomes (first << 4) | second.
        const __m128i pairs =
            _mm_or_si128(_mm_slli_epi16(_mm_and_si128(looked, low), 4), _mm_srli_epi16(looked, 8));
        _mm_storel_epi64(reinterpret_cast<__m128i*>(out), _mm_packus_epi16(pairs, pairs));
    }
    return x;
}
#endif

// Turns rows of indices into rows of a PNG: each index replaced by its palette position and
// packed to the bit depth, the first pixel in the high bits. Eight pixels at a time, in pairs
// through a table of every pair of indices; no test for background, whose mispredicted
// branches would cost more than they save.
class RowPacker {
  public:
    // `highest`: the highest index the picture holds.
    RowPacker(const std::array<std::uint8_t, 256>& remap, int depth, int highest)
        : remap_(remap), depth_(depth), pairs_(1 << 16) {
#if defined(__x86_64__)
        // Pictures of palette indices (below 16) at four bits a pixel, the usual case.
        nibbles_ = depth == 4 && highest < 16 && __builtin_cpu_supports("ssse3");
#else
        static_cast<void>(highest);
#endif
        // Indexed as two bytes read from memory: the first pixel in the low byte.
        static_assert(std::endian::native == std::endian::little);
        for (std::size_t pair = 0; pair < pairs_.size(); ++pair) {
            pairs_[pair] =
                static_cast<std::uint8_t>((remap[pair & 0xFF] << depth) | remap[pair >> 8]);
        }
        for (int i = 0; i < 256; ++i) {
            if (remap[std::size_t(i)] == 1) one_ = i;
        }
    }

    void Pack(const std::uint8_t* row, int width, std::uint8_t* out) const {
        switch (depth_) {
            case 1:
                return PackBits(row, width, out);
            case 2:
                return PackAs<2>(row, width, out);
            case 4:
#if defined(__x86_64__)
                if (nibbles_) {
                    const int done = PackNibbles(row, width, out, remap_.data());
                    return PackAs<4>(row + done, width - done, out + done / 2);
                }
#endif
                return PackAs<4>(row, width, out);
            default:
                return PackAs<8>(row, width, out);
        }
    }

  private:
    // One bit a pixel: a picture of two colours at most, the second of which (palette position
    // 1) is the only index whose pixels are set. Sixteen pixels at a time where the processor
    // compares sixteen bytes at once.
    void PackBits(const std::uint8_t* row, int width, std::uint8_t* out) const {
        int x = 0;
#if defined(__SSE2__)
        if (one_ >= 0) {
            const __m128i set = _mm_set1_epi8(static_cast<char>(one_));
            for (; x + 16 <= width; x += 16, out += 2) {
                const __m128i pixels = _mm_loadu_si128(reinterpret_cast<const __m128i*>(row + x));
                const auto mask =
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(pixels, set)));
                // The mask has the first pixel in its lowest bit; PNG wants it in the highest.
                out[0] = kReversed[mask & 0xFF];
                out[1] = kReversed[mask >> 8];
            }
        }
#endif
        PackAs<1>(row + x, width - x, out);
    }

    template <int kDepth>
    void PackAs(const std::uint8_t* row, int width, std::uint8_t* out) const {
        constexpr int kPairsPerByte = 4 / kDepth;  // 0 at depth 8
        const int words = width / 8;
        // Eight pixels make kDepth bytes.
        for (int w = 0; w < words; ++w, out += kDepth) {
            std::uint64_t word;
            std::memcpy(&word, row + 8 * w, 8);
            if constexpr (kDepth == 8) {
                for (int k = 0; k < 8; ++k)
                    out[k] = remap_[(word >> (8 * k)) & 0xFF];
            } else {
                for (int j = 0; j < kDepth; ++j) {
                    unsigned byte = 0;
                    for (int p = 0; p < kPairsPerByte; ++p) {
                        const auto pair = (word >> (16 * (j * kPairsPerByte + p))) & 0xFFFF;
                        byte = (byte << (2 * kDepth)) | pairs_[pair];
                    }
                    out[j] = static_cast<std::uint8_t>(byte);
                }
            }
        }
        unsigned byte = 0;
        int bits = 0;
        for (int x = 8 * words; x < width; ++x) {
            byte = (byte << kDepth) | remap_[row[x]];
            bits += kDepth;
            if (bits == 8) {
                *out++ = static_cast<std::uint8_t>(byte);
                byte = 0;
                bits = 0;
            }
        }
        if (bits > 0) *out = static_cast<std::uint8_t>(byte << (8 - bits));
    }

    static constexpr std::array<std::uint8_t, 256> kReversed = [] {
        std::array<std::uint8_t, 256> reversed{};
        for (int i = 0; i < 256; ++i) {
            for (int bit = 0; bit < 8; ++bit) {
                if (i & (1 << bit))
                    reversed[std::size_t(i)] |= static_cast<std::uint8_t>(0x80 >> bit);
            }
        }
        return reversed;
    }();

    const std::array<std::uint8_t, 256>& remap_;
    const int depth_;
    std::vector<std::uint8_t> pairs_;
    int one_ = -1;  // at one bit a pixel: the index that packs to 1, if any
    bool nibbles_ = false;
};

int ThreadsFor(const PngControl& control) {
    if (control.threads > 0) return control.threads;
    return std::max(1, ThreadPool::Shared().Threads());
}

bool Cancelled(const PngControl& control) {
    return control.cancel != nullptr && control.cancel->load();
}

}  // namespace

std::size_t PngHeader::RowBytes() const {
    if (truecolour) return std::size_t(width) * 3;
    return (std::size_t(width) * std::size_t(bitDepth) + 7) / 8;
}

std::optional<std::string> EncodePng(const PngHeader& header, const PngRowPacker& pack,
                                     const PngSink& sink, const PngControl& control) {
    if (auto why = CheckHeader(header)) return why;
    if (Cancelled(control)) return kPngCancelled;
    try {
        const std::vector<std::uint8_t> head = HeadOf(header);
        if (auto why = sink(head.data(), head.size())) return why;
        {
            BandEncoder encoder(header, pack, ThreadsFor(control));
            if (auto why = encoder.WriteAll(sink, control)) return why;
        }
        std::vector<std::uint8_t> end;
        AppendChunk(end, "IEND", {});
        return sink(end.data(), end.size());
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    }
}

std::optional<std::array<bool, 256>> UsedIndices(const IndexedPicture& picture,
                                                 const PngControl& control) {
    // The indices as bits, four words; shared by the threads, each of which adds what it found
    // after every few rows. Once every candidate turned up there is nothing left to learn.
    using Bits = std::array<std::uint64_t, 4>;
    Bits candidates{};
    for (std::size_t i = 0; i < 256; ++i) {
        if (picture.candidates[i]) candidates[i / 64] |= std::uint64_t{1} << (i % 64);
    }
    std::array<std::atomic<std::uint64_t>, 4> found{};
    std::atomic<int> nextRow{0};
    std::atomic<bool> complete{false};
    std::atomic<bool> stopped{false};
    constexpr int kRowsAtOnce = 16;

    const int threads = std::min(ThreadsFor(control), std::max(picture.height, 1));
    // Allocated here: a thread has nobody to tell that memory ran out.
    std::vector<std::vector<std::uint8_t>> scratches(
        static_cast<std::size_t>(threads),
        std::vector<std::uint8_t>(static_cast<std::size_t>(std::max(picture.width, 1))));
    const auto scan = [&](int part) {
        std::vector<std::uint8_t>& scratch = scratches[static_cast<std::size_t>(part)];
        std::array<std::uint8_t, 256> seen{};
        while (!complete && !stopped) {
            if (Cancelled(control)) {
                stopped = true;
                return;
            }
            const int from = nextRow.fetch_add(kRowsAtOnce);
            if (from >= picture.height) return;
            for (int y = from; y < std::min(from + kRowsAtOnce, picture.height); ++y)
                MarkIndices(picture.row(y, scratch.data()), picture.width, seen.data());
            bool all = true;
            for (std::size_t w = 0; w < 4; ++w) {
                std::uint64_t bits = 0;
                for (std::size_t i = 0; i < 64; ++i)
                    bits |= std::uint64_t{seen[w * 64 + i] != 0} << i;
                all &= ((found[w].fetch_or(bits) | bits) & candidates[w]) == candidates[w];
            }
            if (all) complete = true;
        }
    };
    RunParts(threads, scan);
    if (stopped) return std::nullopt;
    std::array<bool, 256> used{};
    for (std::size_t i = 0; i < 256; ++i)
        used[i] = ((found[i / 64].load() >> (i % 64)) & 1) != 0;
    return used;
}

std::optional<std::string> EncodeIndexedPng(const IndexedPicture& picture, PngHeader header,
                                            const PngSink& sink, const PngControl& control) {
    // Reading the picture once costs about a tenth of writing it.
    constexpr double kScanShare = 0.1;
    const auto report = [&](double fraction) {
        if (control.progress) control.progress(fraction);
    };
    std::optional<std::array<bool, 256>> used;
    try {
        used = picture.candidatesHeld ? picture.candidates : UsedIndices(picture, control);
    } catch (const std::bad_alloc&) {
        return "not enough memory";
    }
    if (!used) return kPngCancelled;
    report(kScanShare);

    // The colours in use, in index order, and where each index goes.
    std::array<std::uint8_t, 256> remap{};
    header.palette.clear();
    for (int i = 0; i < 256; ++i) {
        if (!(*used)[std::size_t(i)]) continue;
        remap[std::size_t(i)] = static_cast<std::uint8_t>(header.palette.size());
        header.palette.push_back(picture.palette[std::size_t(i)]);
    }
    if (header.palette.empty()) header.palette.push_back(picture.palette[0]);  // no pixels
    header.width = picture.width;
    header.height = picture.height;
    header.truecolour = false;
    header.bitDepth = 1;
    while ((std::size_t{1} << header.bitDepth) < header.palette.size())
        header.bitDepth *= 2;

    int highest = 0;
    for (int i = 0; i < 256; ++i) {
        if ((*used)[std::size_t(i)]) highest = i;
    }
    const RowPacker packer(remap, header.bitDepth, highest);
    const int width = picture.width;
    // Each writing thread asks for the rows of its band in order: where the picture makes
    // eight at once, the thread keeps the eight its row is among.
    static std::atomic<std::uint64_t> encodings{0};
    const std::uint64_t thisEncoding = ++encodings;
    const PngRowPacker pack = [&](int y, std::uint8_t* out) {
        thread_local std::vector<std::uint8_t> scratch;
        if (!picture.eightRows) {
            scratch.resize(static_cast<std::size_t>(width));
            packer.Pack(picture.row(y, scratch.data()), width, out);
            return;
        }
        thread_local std::uint64_t keptFor = 0;
        thread_local int keptFrom = -1;
        const int from = y & ~7;
        if (keptFor != thisEncoding || keptFrom != from) {
            scratch.resize(static_cast<std::size_t>(width) * 8);
            picture.eightRows(from, std::min(8, picture.height - from), scratch.data());
            keptFor = thisEncoding;
            keptFrom = from;
        }
        packer.Pack(scratch.data() + static_cast<std::size_t>(y - from) * std::size_t(width), width,
                    out);
    };
    PngControl encoding = control;
    encoding.progress = [&](double fraction) { report(kScanShare + (1 - kScanShare) * fraction); };
    return EncodePng(header, pack, sink, encoding);
}

}  // namespace quorvel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/picture_export.h"

#include <new>

#include "engine/density_map.h"
#include "engine/picture_request.h"
#include "engine/prime_bits_picture.h"
#include "platform/file_writing.h"
#include "platform/image_surface.h"
#include "platform/indexed_surface.h"
#include "platform/picture_texts.h"
#include "platform/png_encoder.h"
#include "platform/png_output.h"

namespace quorvel {
namespace {

// Drawing and writing take about the same time; the bar moves evenly enough with this split.
constexpr double kDrawShare = 0.6;
// 96 dots per inch, as the window's pictures have.
constexpr int kDotsPerMetre = 3780;

// Numerals are printed only into cells wider than 7 pixels.
bool NumeralsDrawn(const PassInput& input) {
    return input.numerals && input.boxSize > 7;
}

// Reports the walk's share of the progress and passes the cancel flag on as a Stop request.
class ExportObserver final : public PassObserver {
  public:
    ExportObserver(const ExportProgress& progress, const std::atomic<bool>* cancel)
        : progress_(progress), cancel_(cancel) {}

    // Often enough to stop within a fraction of a second, seldom enough to cost nothing.
    std::int64_t CheckpointEvery(int boxSize) const override {
        return boxSize == 1 ? std::int64_t{1} << 20 : boxSize <= 7 ? 1 << 16 : 1 << 12;
    }
    void OnProgress(std::int64_t done, std::int64_t total) override {
        if (progress_ && total > 0)
            progress_(kDrawShare * static_cast<double>(done) / static_cast<double>(total));
    }
    bool StopRequested() override { return cancel_ != nullptr && cancel_->load(); }
    // Nobody sees the picture before it is written.
    bool PictureMayBeShown() override { return false; }

  private:
    const ExportProgress& progress_;
    const std::atomic<bool>* cancel_;
};

IndexedPicture PaletteRows(const IndexedSurface& surface) {
    IndexedPicture picture;
    picture.width = surface.Width();
    picture.height = surface.Height();
    std::copy(kPalette.begin(), kPalette.end(), picture.palette.begin());
    picture.row = [&surface](int y, std::uint8_t* scratch) { return surface.Row(y, scratch); };
    // Rows in tiles are gathered, eight for the price of one; plain rows are read in place.
    if (surface.Tiled()) {
        picture.eightRows = [&surface](int y, int count, std::uint8_t* out) {
            surface.CopyRows(y, count, out);
        };
    }
    for (std::size_t c = 0; c < picture.candidates.size(); ++c)
        picture.candidates[c] = c < 32 && ((surface.ColoursDrawn() >> c) & 1) != 0;
    return picture;
}

IndexedPicture BitsRows(const PrimeBitsPicture& bits) {
    IndexedPicture picture;
    picture.width = picture.height = bits.Side();
    std::copy(kPalette.begin(), kPalette.end(), picture.palette.begin());
    picture.row = [&bits](int y, std::uint8_t* scratch) {
        bits.Rows(y, 1, scratch);
        return static_cast<const std::uint8_t*>(scratch);
    };
    picture.eightRows = [&bits](int y, int count, std::uint8_t* out) { bits.Rows(y, count, out); };
    const std::uint32_t colours = bits.Colours();
    for (std::size_t c = 0; c < picture.candidates.size(); ++c)
        picture.candidates[c] = c < 32 && ((colours >> c) & 1) != 0;
    picture.candidatesHeld = true;
    return picture;
}

IndexedPicture DensityRows(const DensityMap& map) {
    IndexedPicture picture;
    picture.width = picture.height = map.Side();
    picture.palette = kDensityRamp;
    picture.row = [&map](int y, std::uint8_t* scratch) {
        map.LevelsOfRow(y, scratch);
        return static_cast<const std::uint8_t*>(scratch);
    };
    return picture;
}

QString NoMemoryFor(int side) {
    return QStringLiteral("not enough memory for a picture of %1 x %1 pixels").arg(side);
}

}  // namespace

std::optional<QString> ExportSettingsProblem(const ExportSettings& settings) {
    if (settings.side < kSmallestPictureSide || settings.side > kLargestPictureSide) {
        return QStringLiteral("the side of the picture must be %1 to %2 pixels")
            .arg(kSmallestPictureSide)
            .arg(kLargestPictureSide);
    }
    if (settings.density != 0 &&
        (settings.density < kSmallestDensityBlock || settings.density > kLargestDensityBlock)) {
        return QStringLiteral("the density must be %1 to %2 cells a pixel")
            .arg(kSmallestDensityBlock)
            .arg(kLargestDensityBlock);
    }
    if (settings.density == 0 && settings.pass.numerals && settings.side > kLargestNumeralsSide) {
        return QStringLiteral(
                   "numerals need full colour, which pictures wider than %1 pixels "
                   "do not fit in memory")
            .arg(kLargestNumeralsSide);
    }
    return std::nullopt;
}

ExportCost CostOf(const ExportSettings& settings) {
    const std::int64_t side = settings.side;
    ExportCost cost;
    switch (
        ChooseRenderer(RequestOf(settings.pass, settings.side, settings.side, settings.density))) {
        case RendererId::Density: {
            const std::int64_t numbersSide = side * settings.density;
            cost.numbers = numbersSide * numbersSide;
            // A count a pixel, of one, two or four bytes as a block's cells need.
            const std::int64_t most = std::int64_t{settings.density} * settings.density;
            const int countBytes = most <= UINT8_MAX ? 1 : most <= UINT16_MAX ? 2 : 4;
            cost.bytes = side * side * countBytes;
            return cost;
        }
        case RendererId::PrimeBits:
            cost.numbers = ComputeGeometry(settings.side, settings.side, 1).numberOfNumbers;
            cost.bytes = cost.numbers / 8;
            return cost;
        default:
            cost.numbers = ComputeGeometry(settings.side, settings.side, settings.pass.boxSize)
                               .numberOfNumbers;
            cost.bytes = side * side * (NumeralsDrawn(settings.pass) ? 4 : 1);
            return cost;
    }
}

PassOutcome ExportRefusal(const ExportSettings& settings) {
    if (settings.density > 0)
        return DensityMap::Check(settings.pass, settings.side, settings.density);
    return CheckPass(settings.pass, settings.side, settings.side);
}

ExportResult ExportPicture(const ExportSettings& settings, const QString& path,
                           const ExportProgress& progress, const std::atomic<bool>* cancel) {
    SafeFileWriter file(path, SpecialFiles::WriteThrough, cancel);
    return ExportPicture(settings, file, progress, cancel);
}

ExportResult ExportPicture(const ExportSettings& settings, SafeFileWriter& file,
                           const ExportProgress& progress, const std::atomic<bool>* cancel) {
    ExportResult result;
    if (cancel != nullptr && cancel->load()) {
        result.status = ExportStatus::Cancelled;
        return result;
    }
    if (auto problem = ExportSettingsProblem(settings)) {
        result.error = *problem;
        return result;
    }
    // Nobody sees this picture while it is drawn: no "Calculating" banner.
    PassInput input = settings.pass;
    input.moving = true;
    const int side = settings.side;
    const int density = settings.density;
    // Refusals come before the file is touched.
    if (const PassOutcome refusal = ExportRefusal(settings); IsRefusal(refusal)) {
        result.status = ExportStatus::Refused;
        result.pass.outcome = refusal;
        return result;
    }

    if (auto why = file.Open()) {
        result.status = file.Cancelled() ? ExportStatus::Cancelled : ExportStatus::WriteFailed;
        if (!file.Cancelled()) result.error = *why;
        return result;
    }
    std::optional<QString> writeError;
    const PngSink sink = [&](const std::uint8_t* data,
                             std::size_t size) -> std::optional<std::string> {
        writeError = file.Write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        if (writeError) return writeError->toStdString();
        return std::nullopt;
    };
    PngHeader header;
    const PictureTexts texts = TextsForPicture(input, density);
    header.texts = {{"Software", texts.software.toLatin1().toStdString()},
                    {"Description", texts.description.toLatin1().toStdString()}};
    header.dotsPerMetre = kDotsPerMetre;
    PngControl control;
    control.cancel = cancel;
    control.progress = [&](double fraction) {
        if (progress) progress(kDrawShare + (1 - kDrawShare) * fraction);
    };
    ExportObserver observer(progress, cancel);

    std::optional<std::string> encodeError;
    const auto drawn = [&] {
        if (result.pass.outcome == PassOutcome::Drawn) return true;
        result.status = ExportStatus::Cancelled;
        return false;
    };
    try {
        switch (ChooseRenderer(RequestOf(input, side, side, density))) {
            case RendererId::Density: {
                DensityMap map;
                result.pass = map.Draw(input, side, density, &observer);
                if (!drawn()) return result;
                encodeError = EncodeIndexedPng(DensityRows(map), header, sink, control);
                break;
            }
            case RendererId::PrimeBits: {
                // Whether each number is prime, coloured by its cell: a bit a number, no
                // surface.
                PrimeBitsPicture bits;
                result.pass = bits.Draw(input, side, &observer);
                if (!drawn()) return result;
                encodeError = EncodeIndexedPng(BitsRows(bits), header, sink, control);
                break;
            }
            case RendererId::Pass:
                if (NumeralsDrawn(input)) {
                    ImageSurface surface(side, side);
                    if (surface.Image().isNull()) {
                        result.error = NoMemoryFor(side);
                        return result;
                    }
                    SpiralEngine engine;
                    result.pass = engine.DrawSpiral(input, surface, &observer);
                    if (!drawn()) return result;
                    encodeError = EncodeImagePng(surface.Image(), header, sink, control);
                } else {
                    // Pictures of single pixels are kept in tiles, where the pass finds the
                    // neighbours above and below a pixel in the same memory page.
                    IndexedSurface surface(side, side,
                                           input.boxSize == 1 ? IndexedSurface::Layout::Tiles
                                                              : IndexedSurface::Layout::Rows);
                    if (surface.IsNull()) {
                        result.error = NoMemoryFor(side);
                        return result;
                    }
                    SpiralEngine engine;
                    result.pass = engine.DrawSpiral(input, surface, &observer);
                    if (!drawn()) return result;
                    encodeError = EncodeIndexedPng(PaletteRows(surface), header, sink, control);
                }
                break;
            default:
                result.error = QStringLiteral("no renderer draws such a picture");
                return result;
        }
    } catch (const std::bad_alloc&) {
        result.error = NoMemoryFor(side);
        return result;
    }
    if (encodeError) {
        file.Discard();
        if (*encodeError == kPngCancelled || file.Cancelled()) {
            result.status = ExportStatus::Cancelled;
        } else if (writeError) {
            result.status = ExportStatus::WriteFailed;
            result.error = *writeError;
        } else {
            result.error = QString::fromStdString(*encodeError);
        }
        return result;
    }
    if (cancel != nullptr && cancel->load()) {
        // Stopped after the last byte: a file that is not wanted any more is not put in place.
        file.Discard();
        result.status = ExportStatus::Cancelled;
        return result;
    }
    if (auto why = file.Commit()) {
        result.status = ExportStatus::WriteFailed;
        result.error = *why;
        return result;
    }
    if (progress) progress(1.0);
    result.status = ExportStatus::Written;
    return result;
}

}  // namespace quorvel

// SPDX-License-Identifier: GPL-3.0-or-later
#include "mainwindow/window_places.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <vector>

#include "platform/file_writing.h"

namespace quorvel {

namespace {

// A few lines of numbers; anything larger is not one of ours.
constexpr qsizetype kMaxPlacesFileSize = 4096;
// Coordinates beyond any desktop, which no remembered place has.
constexpr int kFarthest = 1'000'000;

// The comma-separated whole numbers of `text`, when there are exactly `count` of them.
std::optional<std::vector<int>> Numbers(const QByteArray& text, int count) {
    const QList<QByteArray> parts = text.split(',');
    if (parts.size() != count) return std::nullopt;
    std::vector<int> values;
    for (const QByteArray& part : parts) {
        bool ok = false;
        const int value = part.trimmed().toInt(&ok);
        if (!ok || value < -kFarthest || value > kFarthest) return std::nullopt;
        values.push_back(value);
    }
    return values;
}

}  // namespace

QByteArray FormatWindowPlaces(const WindowPlaces& places) {
    QByteArray out;
    if (places.main)
        out += "main=" + QByteArray::number(places.main->x()) + ',' +
               QByteArray::number(places.main->y()) + '\n';
    if (places.largeView) {
        const QRect& r = *places.largeView;
        out += "largeView=" + QByteArray::number(r.x()) + ',' + QByteArray::number(r.y()) + ',' +
               QByteArray::number(r.width()) + ',' + QByteArray::number(r.height()) + '\n';
    }
    out += QByteArray("inspector=") + (places.inspectorOpen ? "1" : "0") + '\n';
    return out;
}

WindowPlaces ParseWindowPlaces(const QByteArray& content) {
    WindowPlaces places;
    for (const QByteArray& line : content.split('\n')) {
        const qsizetype equals = line.indexOf('=');
        if (equals < 0) continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if (key == "main") {
            if (const auto v = Numbers(value, 2)) places.main = QPoint((*v)[0], (*v)[1]);
        } else if (key == "largeView") {
            const auto v = Numbers(value, 4);
            if (v && (*v)[2] > 0 && (*v)[3] > 0)
                places.largeView = QRect((*v)[0], (*v)[1], (*v)[2], (*v)[3]);
        } else if (key == "inspector") {
            places.inspectorOpen = value == "1";
        }
    }
    return places;
}

WindowPlaces ReadWindowPlaces(const QString& path) {
    // As with the settings file: never wait on a pipe put where the file belongs.
    const std::optional<QByteArray> content = ReadRegularFile(path, kMaxPlacesFileSize + 1);
    if (!content || content->size() > kMaxPlacesFileSize) return {};
    return ParseWindowPlaces(*content);
}

bool WriteWindowPlaces(const QString& path, const WindowPlaces& places) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    return !WriteFileSafely(path, FormatWindowPlaces(places), SpecialFiles::Refuse).has_value();
}

bool FitsAScreen(const QRect& framed, const QList<QRect>& screens) {
    for (const QRect& screen : screens)
        if (screen.contains(framed)) return true;
    return false;
}

QList<QRect> AvailableScreens() {
    QList<QRect> rects;
    for (const QScreen* screen : QGuiApplication::screens())
        rects.push_back(screen->availableGeometry());
    return rects;
}

}  // namespace quorvel

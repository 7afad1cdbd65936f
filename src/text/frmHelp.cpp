// SPDX-License-Identifier: GPL-3.0-or-later
#include "text/frmHelp.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "engine/primelib.h"
#include "engine/spiral_layout.h"
#include "platform/ui_services.h"
#include "text/dictionary.h"
#include "text/help_texts.h"
#include "text/weblink.h"

namespace quorvel {

QImage ExampleSpiral() {
    constexpr int kSide = 264;
    constexpr int kCells = 7;
    constexpr int kCell = 37;
    constexpr int kMargin = (kSide - kCells * kCell) / 2;
    QImage image(kSide, kSide, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    // Cell centres in spiral order: 1 in the middle, 2 east of it, turning counter-clockwise.
    QPointF centres[kCells * kCells];
    const auto centreOf = [](int x, int y) {
        return QPointF(kMargin + (x + 3) * kCell + kCell / 2.0,
                       kMargin + (y + 3) * kCell + kCell / 2.0);
    };
    centres[0] = centreOf(0, 0);
    WalkSpiral(kCells * kCells, [&](std::int64_t i, int x, int y, int, Corner) {
        centres[i] = centreOf(x, y);
        return true;
    });
    for (int n = 1; n <= kCells * kCells; ++n) {
        if (primelib::is_prime(n, n) != 1) continue;
        const QPointF c = centres[n - 1];
        painter.fillRect(
            QRectF(c.x() - kCell / 2.0 + 2, c.y() - kCell / 2.0 + 2, kCell - 4, kCell - 4),
            QColor(0x00, 0x00, 0xFF));
    }
    // The path of the numbers, and where it goes on.
    const QColor yellow(0xFF, 0xF7, 0x00);
    painter.fillRect(QRectF(centres[0].x() - 3, centres[0].y() - 3, 6, 6), yellow);
    QPainterPath path(centres[0]);
    for (int i = 1; i < kCells * kCells; ++i)
        path.lineTo(centres[i]);
    const QPointF last = centres[kCells * kCells - 1];
    const QPointF exit(kSide - 3, last.y());
    path.lineTo(exit);
    painter.setPen(QPen(yellow, 1.5));
    painter.drawPath(path);
    painter.setBrush(yellow);
    painter.drawPolygon(QPolygonF({exit, exit + QPointF(-8, -4), exit + QPointF(-8, 4)}));
    // The numerals over it all.
    QFont font = painter.font();
    font.setPixelSize(13);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    for (int n = 1; n <= kCells * kCells; ++n) {
        const QPointF c = centres[n - 1];
        painter.drawText(QRectF(c.x() - kCell / 2.0, c.y() - kCell / 2.0 + 2, kCell, kCell / 2.0),
                         Qt::AlignCenter, QString::number(n));
    }
    return image;
}

frmHelp::frmHelp(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmHelp"));
    setModal(true);
    // Laid out as designed, in pixels; the window's height follows the language, the text box
    // keeps its size.
    QFont font(QStringLiteral("Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    setFont(font);
    txbHelp1 = new QPlainTextEdit(this);
    txbHelp1->setObjectName(QStringLiteral("txbHelp1"));
    txbHelp1->setReadOnly(true);
    txbHelp1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txbHelp1->setGeometry(14, 7, 505, 378);
    QPalette palette = txbHelp1->palette();
    palette.setColor(QPalette::Base, QColor(0xC0, 0xC0, 0xC0));
    palette.setColor(QPalette::Text, Qt::black);
    txbHelp1->setPalette(palette);
    txbHelp1->setAccessibleName(QStringLiteral("Help text"));
    imgSpiral = new QLabel(this);
    imgSpiral->setObjectName(QStringLiteral("imgSpiral"));
    imgSpiral->setGeometry(525, 7, 264, 264);
    imgSpiral->setAccessibleName(QStringLiteral("A 7 by 7 number spiral with its primes marked"));
    cmdClose = new QPushButton(this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));
    cmdClose->setGeometry(616, 280, 81, 25);
    cmdClose->setDefault(true);
    connect(cmdClose, &QPushButton::clicked, this, &QDialog::accept);
}

void frmHelp::Form_Load() {
    if (blnLoaded) return;
    blnLoaded = true;
    for (const int language : {intEnglish, intGerman})
        strHelpText[language] =
            HelpText(language, ManualAddress(language), ColoursAddress(language));
    imgSpiral->setPixmap(QPixmap::fromImage(ExampleSpiral()));
}

void frmHelp::ShowFor(UiServices& services, const QWidget& mainWindow, int frameTop, int language) {
    Form_Load();
    const int intLanguage = IsGerman(language) ? intGerman : intEnglish;
    // The window manager gives this window the frame it gives the main window: the frame lines
    // up with the main window's left edge and width, its top lies the given distance below the
    // main window's top. The heights are those of the inside, so that no title bar can cut
    // off the end of the text.
    const QRect outer = mainWindow.frameGeometry();
    const QRect inner = mainWindow.geometry();
    const int left = inner.left() - outer.left();
    const int right = outer.right() - inner.right();
    const int top = inner.top() - outer.top();
    const int height = intLanguage == intGerman ? kGermanHeight : kEnglishHeight;
    QRect place(outer.left() + left, outer.top() + frameTop + 48 + top,
                std::max(outer.width() - left - right, kMinimumWidth), height);
    // On a small screen (or a main window fitted to one) the window stays on the screen, whole.
    if (const QScreen* screen = mainWindow.screen()) {
        const QRect room = screen->availableGeometry().adjusted(left, top, -right, -left);
        if (place.right() > room.right()) place.moveRight(room.right());
        if (place.bottom() > room.bottom()) place.moveBottom(room.bottom());
        if (place.left() < room.left()) place.moveLeft(room.left());
        if (place.top() < room.top()) place.moveTop(room.top());
    }
    setGeometry(place);
    setWindowTitle(WordOf(Word::Help, intLanguage));
    cmdClose->setText(WordOf(Word::Close, intLanguage));
    txbHelp1->setPlainText(strHelpText[intLanguage]);
    services.RunModal(*this);
}

}  // namespace quorvel

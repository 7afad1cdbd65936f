// SPDX-License-Identifier: GPL-3.0-or-later
// Clicks on the picture: the left button names the number in a marked cell, the right button
// offers to save the picture as PNG.
#include <QBuffer>
#include <QComboBox>
#include <QImageWriter>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "explorer/explorer.h"
#include "explorer/explorer_texts.h"
#include "export/file_target.h"
#include "mainwindow/frmMain.h"
#include "mainwindow/grafix.h"
#include "mainwindow/spiral_picture.h"
#include "platform/file_writing.h"
#include "text/captions.h"

namespace quorvel {

// Not while the spiral moves (a paused one is still), nor while a picture is half drawn.
bool frmMain::PictureIsStill() const {
    return !((Moving() && !blnPaused()) || blnDrawing || blnQuitting);
}

void frmMain::picSpiral_MouseUp(Qt::MouseButton button, QPointF position) {
    if (!PictureIsStill()) return;
    if (button == Qt::LeftButton) {
        NameClickedNumber(position);
    } else if (button == Qt::RightButton) {
        AskToSavePicture();
    }
}

// The right click's question, and the File menu's Save: one question at a time.
void frmMain::AskToSavePicture() {
    if (!PictureIsStill() || blnDialogOpen) return;
    blnDialogOpen = true;
    const SaveImageTexts texts = SaveTexts(intLanguage);
    if (services_->ShowMessage(this, texts.questionTitle, texts.question, MessageButtons::YesNo,
                               MessageIcon::None) == MessageAnswer::Yes &&
        !blnQuitting) {
        SaveSpiralImage();
    }
    blnDialogOpen = false;
}

void frmMain::NameClickedNumber(QPointF position) {
    // The picture on screen is the one the last pass drew or began: its cells are the ones
    // to name, whatever a refused pass since would have drawn.
    if (lastPass_.outcome == PassOutcome::AlreadyRunning) return;
    const QImage& picture = surface_.Image();
    // The cell whose drawn mark holds the pixel, as the status bar and the inspector name it.
    // (Dividing pixels by the box size would name the east neighbour already on the right
    // edge of a mark: the cells are centred on the picture's middle pixel.)
    const std::optional<std::int64_t> index =
        PositionAtPixel(lastPass_.geometry, picture.size(), position);
    if (!index) return;
    const QPoint pixel(static_cast<int>(std::floor(position.x())),
                       static_cast<int>(std::floor(position.y())));
    const bool marked = (picture.pixel(pixel) & 0xFFFFFF) != 0;
    const bool everyCell = ShowChoice() == ShowMode::All && SquaresChosen();
    if (!marked && !everyCell) return;
    const std::int64_t number = lastPass_.startNumber + *index - 1;
    // The title names the number; many desktops never show a title, so the text says it too,
    // with what it is made of.
    services_->ShowMessage(this, QLocale().toString(static_cast<qlonglong>(number)),
                           ClickText(static_cast<std::uint64_t>(number), intLanguage),
                           MessageButtons::Ok, MessageIcon::None);
}

void frmMain::SaveSpiralImage() {
    const SaveImageTexts texts = SaveTexts(intLanguage);
    const QString png = services_->AskSaveFileName(this, texts.dialogTitle, texts.nameFilter);
    if (png.isEmpty()) return;
    // Nothing is written beside a pipe or device, and nothing waits for one.
    if (const auto problem = PictureTargetProblem(png, intLanguage)) {
        services_->ShowMessage(this, texts.reportTitle, *problem, MessageButtons::Ok,
                               MessageIcon::Warning);
        return;
    }
    // The transient bitmap never takes the place of a file that is already there.
    const QString bmp = FreeNameBeside(BitmapNameFor(png), png);

    QByteArray bitmap;
    {
        QBuffer buffer(&bitmap);
        buffer.open(QIODevice::WriteOnly);
        QImageWriter writer(&buffer, "bmp");
        writer.write(surface_.Image());
    }
    if (bitmap.isEmpty() || WriteFileSafely(bmp, bitmap, SpecialFiles::Refuse).has_value()) {
        services_->ShowMessage(this, texts.reportTitle, texts.notSaved + QLatin1Char('\n') + png,
                               MessageButtons::Ok, MessageIcon::Warning);
        return;
    }
    QString message;
    // The program's own converter writes the picture's settings into the PNG as well.
    const PictureTexts pictureTexts = TextsForPicture(lastInput_);
    const GraphicsConverter convert =
        converter_ ? converter_ : [pictureTexts](const QString& from, const QString& to) {
            return ConvertToPngWithTexts(from, to, pictureTexts);
        };
    if (ConvertGraphicsFile(convert, bmp, png, true, true, message)) {
        services_->ShowMessage(this, texts.reportTitle, texts.saved + QLatin1Char('\n') + png,
                               MessageButtons::Ok, MessageIcon::Information);
    } else {
        services_->ShowMessage(this, texts.reportTitle,
                               texts.savedAsBitmap + QLatin1Char('\n') + bmp, MessageButtons::Ok,
                               MessageIcon::Information);
    }
}

}  // namespace quorvel

// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "engine/spiral_pass.h"
#include "export/export_dialog.h"
#include "mainwindow/frame_ahead.h"
#include "mainwindow/grafix.h"
#include "mainwindow/list_positions.h"
#include "mainwindow/moving_phase.h"
#include "mainwindow/settings_file.h"
#include "mainwindow/window_places.h"
#include "platform/image_surface.h"
#include "platform/ui_services.h"
#include "text/language.h"

class QAction;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFrame;
class QGridLayout;
class QLabel;
class QMenu;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QScrollBar;
class QTimer;

namespace quorvel {

class Explorer;
class frmLargeView;
class PictureExporter;
class frmHelp;
class frmManual;
class LinkLabel;
class SpiralPicture;
class StandIns;
class StartNumberBox;

// The main window: the spiral on the left, the controls that choose what it shows on the
// right, the statistics of the last drawing below them. Every control carries the name it has
// in the program's documentation as its objectName. The engine draws; the window turns its
// controls into a PassInput and writes what the PassResult says into labels. Its state is
// kept in values (the user's choices in settings_, the moving spiral's phase and central
// number); the controls show it and record what the user changes.
//
// One class over several files, each named after what a user sees: frmMain.cpp (layout and
// start-up), frmMain_Controls.cpp (options, lists, check boxes, enable and focus rules),
// frmMain_StartNumber.cpp, frmMain_Pass.cpp, frmMain_MovingSpiral.cpp, frmMain_Language.cpp,
// frmMain_Picture.cpp, frmMain_Settings.cpp, frmMain_Menus.cpp (the menu bar and its keys),
// frmMain_CellCursor.cpp (the picture from the keyboard, Find Number).
class frmMain : public QMainWindow, private PassObserver {
    Q_OBJECT

  public:
    // Side of the square drawing surface in pixels.
    static constexpr int kSpiralSide = 527;

    // `services` stays owned by the caller; without it the window uses the toolkit's dialogs.
    explicit frmMain(UiServices* services = nullptr, QWidget* parent = nullptr);
    ~frmMain() override;

    // The whole start-up: defaults, captions, the first picture. Shows the window on the way.
    void Form_Load();

    bool StartupCompleted() const { return blnStartupCompleted; }
    // The moving spiral: whether it runs (paused or not), and whether it is paused.
    bool SpiralMoving() const { return Moving(); }
    bool SpiralPaused() const { return blnPaused(); }
    // How many drawing passes were asked for since the window was made, refused ones included.
    int PassesRequested() const { return intPassesRequested; }
    const PassResult& LastPass() const { return lastPass_; }
    int Language() const { return intLanguage; }
    // The picture as drawn.
    const QImage& Picture();

    // The drawing pass with the controls as they are.
    void DrawSpiral();

    // Replaces the converter that turns the saved bitmap into PNG.
    void SetGraphicsConverter(GraphicsConverter converter) { converter_ = std::move(converter); }

    // The View menu, for the rooms that show more of the picture to add their entries to.
    QMenu* ViewMenu() const { return mnuView; }
    // The explorer of the picture: readout, inspector and overlays.
    Explorer* PictureExplorer() const { return explorer_; }
    // The large view, once opened (View → Large View, F4).
    frmLargeView* LargeView() const { return largeView_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Layout.
    void BuildControls();
    void ArrangeControls();
    void ConnectHandlers();
    void FixWindowSize();
    void FitToScreen();

    // The menu bar.
    void BuildMenus();
    void SetMenuCaptions();
    void UpdateMenuActions();
    void mnuSavePicture_Click();
    void mnuCopyPicture_Click();
    void mnuExportPicture_Click();
    void mnuHelp_Click();
    void mnuUserManual_Click();
    void mnuAboutQuorvel_Click();
    void mnuAboutQt_Click();

    // The large view.
    void BuildLargeViewEntry();
    void SetLargeViewLanguage();
    void mnuLargeView_Click();
    void PlaceLargeView();
    // What the window manager puts around a window (a guess before this one is framed).
    QMargins WindowFrame() const;

    // The picture from the keyboard: its cell cursor, and Find Number.
    void BuildCellCursor();
    void SetCellCursorLanguage();
    void mnuFindNumber_Click();

    // Where the windows stood at the last end, and whether the inspector was open.
    void RestoreWindowPlaces();
    void SaveWindowPlaces();

    // Start-up.
    void InitializeValues();
    void InitializeAndDraw();
    void SetDefaultControls();
    void FillFixedLists();

    // Options, lists, check boxes; enable and focus rules.
    void EnableDisableFunctions(bool blnEnable);
    void EnableDisableFunctions2(bool blnEnable);
    void UpdateGridNumeralsEnabled();
    void RestoreFocus();
    void ShowSpiralButtons();
    void ShowColorLegend();
    void HideColorLegend();
    // The words that explain the colours: the key's caption and tips, the colour list's tip.
    void ExplainColors();
    void optCircles_Click();
    void optSquares_Click();
    void chkGrid_Click();
    void chkNumerals_Click();
    void chkCentralNumberPrime_Click();
    void chkCalculateLongest_Click();
    void cboBoxSize_Click();
    void cboColorBy_Click();
    void cboShow_Click();
    void cboClockTicks_Click();
    void cmdDraw_Click();
    void cmdStopCalc_Click();
    void cmdHelp_Click();
    void cmdQuit_Click();
    // Redraws after a change of shape, grid or numerals, unless a running animation picks the
    // change up by itself.
    void RedrawUnlessMoving();

    // Start number.
    bool txbStartNumber_KeyPress(int keyAscii);
    void txbStartNumber_Change();
    void vsbStartNumber_Change();
    void vsbStartNumber_Wheel(int delta);
    void StepSpinner(std::int32_t n, std::int32_t t, bool up);
    int SpinnerValue() const;
    void SetSpinnerValue(std::int64_t value);

    // The window side of the drawing pass.
    PassInput CurrentPassInput() const;
    PassResult RunPass(const PassInput& input);
    void ClearOutputLabels(bool all);
    void HidePrimeStatistics();
    void ShowStatistics();
    void ShowMessage(const QString& text);
    // The explorer rests, and the menu entries that would start other work are greyed, while a
    // pass draws or the spiral moves.
    void UpdateBusy();
    // A refusal of the start-up pass waits until the window has been painted.
    void ShowStartupMessage();
    void OnDrawingStarts(const PassResult& result) override;
    bool StopRequested() override;
    bool PictureMayBeShown() override;
    void OnWalkFinished() override;
    void LockForLongPass();
    void OnMeasuringRuns() override;
    void SetNumberLabel(QLabel* label, std::int64_t value);

    // The moving spiral.
    void cmdSpiralIn_Click();
    void cmdSpiralOut_Click();
    void RunMovingSpiral(bool inwards);
    void ClkClock_Timer();
    void MovingSpiralStep();
    // The central number after `s` in the moving spiral's direction; none at the end.
    // `lastPrime`, if given, gets the answer for the last number tested for being prime.
    std::optional<std::int32_t> NextCentralNumber(std::int32_t s, bool* lastPrime) const;
    void DrawFrameAhead();
    void EnterMovingSpiral();
    void LeaveMovingSpiral();
    void EndMovingSpiral();
    void cmdStopButton_Click();
    void cmdPauseButton_Click();
    void cmdResumeButton_Click();

    // Clicks on the picture.
    void picSpiral_MouseUp(Qt::MouseButton button, QPointF position);
    void NameClickedNumber(QPointF position);
    // Whether the picture on screen is finished and still: it may be named, copied and saved.
    bool PictureIsStill() const;
    // Asks whether to save the picture, and saves it on Yes.
    void AskToSavePicture();
    void SaveSpiralImage();

    // The settings file.
    void LoadSettings();
    void ShowSettings();
    void SaveSettings();

    // Languages.
    void SetLanguageDependentCaptions();
    void SetLanguageDependentLists();
    void SetLanguageDependentText();
    int FindLanguageListIndex(int language) const;
    void cboLanguage_Click();

    int ShowIndex() const;
    int BoxSizeIndex() const;
    ShowMode ShowChoice() const { return static_cast<ShowMode>(settings_.show); }
    ColorScheme SchemeChoice() const { return static_cast<ColorScheme>(settings_.colorBy); }
    bool SquaresChosen() const { return settings_.shape != intShapeCircles; }
    static bool Checked(int box) { return box == intChecked; }
    bool Moving() const { return IsMoving(movingPhase_); }
    bool blnPaused() const { return IsPaused(movingPhase_); }
    bool blnSpiralIn() const { return IsInwards(movingPhase_); }

    UiServices* services_;
    std::unique_ptr<UiServices> ownServices_;
    SpiralEngine engine_;
    ImageSurface surface_{kSpiralSide, kSpiralSide};
    FrameAhead frameAhead_{kSpiralSide, kSpiralSide};  // the moving spiral's next picture
    PassResult lastPass_;
    // Empty: the program's own, which writes the picture's settings into the PNG.
    GraphicsConverter converter_;
    PassInput lastInput_;  // what the picture on screen was drawn from
    QElapsedTimer passTimer_;
    // A pass that has taken this long shows what it is doing.
    static constexpr int kNoticeableMs = 100;
    // A refusal of the start-up pass is shown at the latest this long after start-up.
    static constexpr int kStartupMessageLatestMs = 1500;

    // Controls.
    QScrollArea* scrPanel = nullptr;
    QWidget* pnlControls = nullptr;
    QBoxLayout* pictureColumn_ = nullptr;
    QBoxLayout* underRow_ = nullptr;
    QGridLayout* panelGrid_ = nullptr;
    QSize naturalPanel_;
    QSize tightPanel_;  // with the rows closer together
    static constexpr int kPanelRowSpacing = 6;
    static constexpr int kTightRowSpacing = 1;
    StandIns* standIns_ = nullptr;
    Explorer* explorer_ = nullptr;
    PictureExporter* exporter_ = nullptr;
    frmLargeView* largeView_ = nullptr;
    QAction* actLargeView = nullptr;
    QAction* actExportPicture = nullptr;
    QAction* actFindNumber = nullptr;
    QMenu* mnuFile = nullptr;
    QMenu* mnuView = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* actSavePicture = nullptr;
    QAction* actCopyPicture = nullptr;
    QAction* actQuit = nullptr;
    QAction* actHelp = nullptr;
    QAction* actUserManual = nullptr;
    QAction* actAboutQuorvel = nullptr;
    QAction* actAboutQt = nullptr;
    QLabel* lblColorKey = nullptr;
    SpiralPicture* picSpiral = nullptr;
    QPushButton* cmdStopCalc = nullptr;
    std::array<QFrame*, 6> Picture1{};
    QLabel* lblStartNumber = nullptr;
    QFrame* fraStartNumberFrame = nullptr;
    StartNumberBox* txbStartNumber = nullptr;
    QScrollBar* vsbStartNumber = nullptr;
    QLabel* lblStartNumberOutput = nullptr;
    QLabel* lblP = nullptr;
    QPushButton* cmdDraw = nullptr;
    QLabel* lblClockTicks = nullptr;
    QComboBox* cboClockTicks = nullptr;
    QFrame* fraCellObject = nullptr;
    QLabel* lblUse = nullptr;
    QRadioButton* optCircles = nullptr;
    QRadioButton* optSquares = nullptr;
    QLabel* lblSizeInPixels = nullptr;
    QComboBox* cboBoxSize = nullptr;
    QLabel* lblColorBy = nullptr;
    QComboBox* cboColorBy = nullptr;
    QLabel* lblShow = nullptr;
    QComboBox* cboShow = nullptr;
    QCheckBox* chkGrid = nullptr;
    QCheckBox* chkNumerals = nullptr;
    QCheckBox* chkCentralNumberPrime = nullptr;
    QCheckBox* chkCalculateLongest = nullptr;
    QPushButton* cmdSpiralIn = nullptr;
    QPushButton* cmdSpiralOut = nullptr;
    QPushButton* cmdStopButton = nullptr;
    QPushButton* cmdPauseButton = nullptr;
    QPushButton* cmdResumeButton = nullptr;
    QLabel* lblSpiralling = nullptr;
    QLabel* lblEndNumber = nullptr;
    QLabel* lblEndNumberOutput = nullptr;
    QLabel* lblNumberofNumbers = nullptr;
    QLabel* lblNumberOfNumbersOutput = nullptr;
    QLabel* lblNumberShown = nullptr;
    QLabel* lblNumberShown2 = nullptr;
    QLabel* lblNumberShownOutput = nullptr;
    QLabel* lblSmallestPrime = nullptr;
    QLabel* lblSmallestPrimeOutput = nullptr;
    QLabel* lblLargestPrime = nullptr;
    QLabel* lblLargestPrimeOutput = nullptr;
    QLabel* lblLongestNWSE = nullptr;
    QLabel* lblLongestNWSEOutput = nullptr;
    QLabel* lblLongestSWNE = nullptr;
    QLabel* lblLongestSWNEOutput = nullptr;
    QComboBox* cboLanguage = nullptr;
    QPushButton* cmdHelp = nullptr;
    QPushButton* cmdQuit = nullptr;
    LinkLabel* lblOnlineDocumentation = nullptr;
    LinkLabel* lblTarnwick = nullptr;
    frmHelp* help_ = nullptr;      // made on first use
    frmManual* manual_ = nullptr;  // the manual where no browser opens it; made on first use
    QTimer* ClkClock = nullptr;

    // State.
    bool blnStartupCompleted = false;
    bool blnRefillingLists = false;
    bool blnTextSetsScroll = false;
    bool blnScrollSetsScroll = false;
    bool blnStopRequest = false;
    // The moving spiral: where it stands, and its central number, which the box shows.
    MovingPhase movingPhase_ = MovingPhase::Still;
    std::int32_t lngCentralNumber = 1;

    bool blnAnimationStop = false;   // Stop was pressed
    bool blnAnimationEnded = false;  // a step reached the end
    bool blnStepRunning = false;     // a tick's step is under way
    bool blnIsPrime = false;         // the central number of the last picture is prime
    bool blnDrawing = false;         // a drawing pass runs: nothing may start another
    bool blnQuitting = false;        // Quit was chosen: the program ends as soon as it can
    bool blnLockPending = false;     // the pass has not locked the controls yet
    std::optional<bool> inputDue_;   // this checkpoint's answer whether to let input through
    bool blnDialogOpen = false;      // a menu's question, box or dialog is up: no second one
    bool blnWatchingScreen = false;  // the window refits itself when it changes screens
    QString strStartupMessage;       // a refusal of the start-up pass, shown once painted
    // The user's choices as the settings file keeps them: the window's own record, which the
    // controls show and their handlers keep up to date (ConnectHandlers).
    Settings settings_;
    int& intLanguage = settings_.language;  // the language on screen is the one chosen
    int intHelpLanguage = intEnglish;
    int intBoxSizeIndex = BoxSizePosition(15);  // where a refused size goes back to
    int intBoxSize = 15;  // the cell size of the last pass that got past the start number
    int intColorCount = 6;
    int intPassesRequested = 0;
    int intWheelAngle = 0;  // wheel turn not yet stepped, in eighths of a degree
    QString strCalculating;
    QString strSettingsFile;
    QString strPlacesFile;
    WindowPlaces places_;
    bool largeViewPlaced_ = false;  // the remembered place serves the first opening only
    ExportChoices exportChoices_;   // the export dialog opens as it was last used, in any run
    QString strExportChoicesFile;
    QString strFindText;  // the last number looked for, offered again

    static constexpr int intMaxStartLength = 12;
    static constexpr int intScrollLow = 0;
    static constexpr int lngScrollHigh = 32767;
    static constexpr int kWheelNotch = 120;
};

}  // namespace quorvel

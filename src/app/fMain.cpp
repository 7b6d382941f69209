#include "app/fMain.h"

#include "app/dialogs/fAbout.h"
#include "app/dialogs/fExamples.h"
#include "app/dialogs/fOnTimes.h"
#include "app/document/AutoSave.h"
#include "app/document/DocumentController.h"
#include "app/document/ExportController.h"
#include "app/document/RecoveryStore.h"
#include "app/editor/CaretRest.h"
#include "app/editor/LiveSyntaxCheck.h"
#include "app/editor/ReadableColour.h"
#include "app/editor/ScoreEditor.h"
#include "app/editor/ScoreHighlighter.h"
#include "app/editor/SyntaxCheck.h"
#include "app/editor/TransposeAction.h"
#include "app/playback/GeneralMidi.h"
#include "app/playback/MidiOutputMenu.h"
#include "app/playback/PlaybackController.h"
#include "app/playback/PracticeBar.h"
#include "app/playback/TempoScale.h"
#include "app/shell/AppValues.h"
#include "app/shell/ShellServices.h"
#include "app/shell/StatusAnnouncer.h"
#include "app/shell/ToolPicture.h"
#include "app/shell/UserPrompts.h"
#include "app/staff/StaffPane.h"
#include "score/ScoreFile.h"
#include "settings/OnRatios.h"

#include <glimmer/OleColor.h>
#include <glimmer/chBut.h>
#include <glimmer/tkHLink.h>

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFont>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QShortcut>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>

// The pictures are compiled into this library; a static library must register them itself.
static void initAppResources() {
    Q_INIT_RESOURCE(app);
}

namespace notaro::app {

namespace {

/// The design's client area, in twips.
constexpr int kDesignWidth = 10935;
constexpr int kDesignHeight = 6930;
constexpr int kEditorTop = 465;
constexpr int kLineLabelHeight = 285;

int px(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

QRect twipRect(int left, int top, int width, int height) {
    return QRect(px(left), px(top), px(width), px(height));
}

glimmer::chBut* toolButton(QWidget* parent, const char* name, const QString& tip,
                           const QString& picture, QRect twips) {
    auto* b = new glimmer::chBut(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setButtonType(glimmer::chBut::FlatHighlight);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    if (!picture.isEmpty()) {
        const QPixmap p =
            toolPicture(picture, 16, b->palette().color(QPalette::Button), b->devicePixelRatioF());
        b->setPictureNormal(p);
        b->setPictureOver(p);
    }
    b->setGeometry(twips);
    return b;
}

} // namespace

fMain::fMain(UserPrompts& prompts, std::unique_ptr<playback::MidiOutDevice> device, QWidget* parent)
    : QMainWindow(parent), prompts_(prompts) {
    // Creation: the shell services and the control classes come before any control exists.
    initCommonControlsSafe();
    initAppResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/notaro.svg")));
    createControls();
    createControllers(std::move(device));
    connectControls();
    // The status line first: menu items announce through it.
    createStatusLine();
    createMenus();
    createStaffPane();
    resize(px(kDesignWidth),
           px(kDesignHeight) + menuBar()->sizeHint().height() + statusBar()->sizeHint().height());
    formLoad();
}

fMain::~fMain() {
    // The copy keeper goes before the store it writes to.
    delete autoSave_;
}

void fMain::createControls() {
    client_ = new QWidget(this);
    client_->setObjectName(QStringLiteral("client"));
    setCentralWidget(client_);
    client_->installEventFilter(this);
    // The layout is measured for a small dialog font; "Arial" resolves to its metric twin.
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setPointSize(8);
    client_->setFont(dialogFont);

    lnBelowMenu_ = new QFrame(client_);
    lnBelowMenu_->setObjectName(QStringLiteral("LnBelowMenu"));
    lnBelowMenu_->setFrameShape(QFrame::HLine);
    lnBelowMenu_->setFrameShadow(QFrame::Sunken);

    // The editor shares its place with the staff pane below it; with the pane hidden, the
    // editor fills the place alone.
    splitter_ = new QSplitter(Qt::Vertical, client_);
    splitter_->setObjectName(QStringLiteral("staffSplitter"));
    splitter_->setChildrenCollapsible(false);
    splitter_->setGeometry(twipRect(0, kEditorTop, kDesignWidth, 6090));
    txtAram_ = new ScoreEditor(splitter_);
    txtAram_->setObjectName(QStringLiteral("txtAram"));
    splitter_->addWidget(txtAram_);
    (new ScoreHighlighter(txtAram_->document()))->followPalette(*txtAram_);
    new CaretRest(*txtAram_);
    txtAram_->setAccessibleName(tr("Score"));

    createToolRow();
    lblLnNum_ = new QLabel(QStringLiteral("Line"), client_);
    lblLnNum_->setObjectName(QStringLiteral("lblLnNum"));
    lblLnNum_->setIndent(4);
    createLinks();

    // Tab order: the editor first, then the tool row.
    setTabOrder(txtAram_, cmdNew_);
    setTabOrder(cmdNew_, cmdOpen_);
    setTabOrder(cmdOpen_, cmdSave_);
    setTabOrder(cmdSave_, cmdChkSyntax_);
    setTabOrder(cmdChkSyntax_, cmdPlay_);
    setTabOrder(cmdPlay_, cmdSaveMidi_);
    setTabOrder(cmdSaveMidi_, cmbPatch_);
    setTabOrder(cmbPatch_, chkForcePatch_);
    txtAram_->setFocus();
}

void fMain::createPracticeBar() {
    practice_ = new PracticeBar(*client_, *playback_, *txtAram_, *liveCheck_, this);
    setTabOrder(chkForcePatch_, practice_->loopButton());
    setTabOrder(practice_->loopButton(), practice_->tempoScale());
}

void fMain::createToolRow() {
    cmdNew_ = toolButton(client_, "cmdNew", QStringLiteral("New"), QStringLiteral("new"),
                         twipRect(45, 75, 345, 345));
    cmdOpen_ = toolButton(client_, "cmdOpen", QStringLiteral("Open..."), QStringLiteral("open"),
                          twipRect(405, 75, 345, 345));
    cmdSave_ = toolButton(client_, "cmdSave", QStringLiteral("Save"), QStringLiteral("save"),
                          twipRect(765, 75, 345, 345));
    cmdChkSyntax_ = toolButton(client_, "cmdChkSyntax", QStringLiteral("Check syntax"),
                               QStringLiteral("check"), twipRect(1260, 75, 345, 345));
    cmdPlay_ = toolButton(client_, "cmdPlay", QStringLiteral("Play / Stop"), QStringLiteral("play"),
                          twipRect(1755, 75, 345, 345));
    cmdPlay_->setCheckBoxBehaviour(true);
    cmdPlay_->setValue(false);
    cmdSaveMidi_ = toolButton(client_, "cmdSaveMidi", QStringLiteral("Save as MIDI"), QString(),
                              twipRect(2265, 75, 1545, 345));
    cmdSaveMidi_->setCaption(QStringLiteral("Save As Midi..."));

    cmbPatch_ = new QComboBox(client_);
    cmbPatch_->setObjectName(QStringLiteral("cmbPatch"));
    // On Linux a list box is named by its current item; what it chooses goes in the description.
    cmbPatch_->setAccessibleDescription(tr("Instrument"));
    cmbPatch_->addItems(generalMidiNames());
    cmbPatch_->setMaxVisibleItems(16);
    const QRect patch = twipRect(4095, 75, 1995, 345);
    cmbPatch_->setGeometry(patch.x(), patch.y(), patch.width(),
                           qMax(patch.height(), cmbPatch_->sizeHint().height()));

    chkForcePatch_ = new QCheckBox(QStringLiteral("Force Instrument"), client_);
    chkForcePatch_->setObjectName(QStringLiteral("chkForcePatch"));
    const QRect force = twipRect(6135, 135, 1575, 225);
    const int forceHeight = qMax(force.height(), chkForcePatch_->sizeHint().height());
    chkForcePatch_->setGeometry(force.x(), force.center().y() - forceHeight / 2 + 1,
                                qMax(force.width(), chkForcePatch_->sizeHint().width()),
                                forceHeight);
}

void fMain::createLinks() {
    lblRelated_ = new QLabel(QStringLiteral("Related Software:"), client_);
    lblRelated_->setObjectName(QStringLiteral("lblRelated"));
    lblAnd_ = new QLabel(QStringLiteral("and"), client_);
    lblAnd_->setObjectName(QStringLiteral("lblAnd"));
    lblAnd_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblRelated_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    const QString help = dataFolder(QStringLiteral("help")) + QStringLiteral("/eOview.htm");
    const auto link = [this](const char* name, const QString& caption, const QUrl& url) {
        auto* l = new glimmer::tkHLink(client_);
        l->setObjectName(QString::fromLatin1(name));
        l->setCaption(caption);
        l->setLinkURL(url.toString());
        l->setOpener([this](const QUrl& u) { prompts_.openUrl(u); });
        // The link colours are the design's; on a dark palette they are lightened to be read.
        const QColor ground = l->palette().color(QPalette::Window);
        for (auto [get, set] :
             {std::pair{&glimmer::tkHLink::LinkActiveColor, &glimmer::tkHLink::setLinkActiveColor},
              {&glimmer::tkHLink::LinkVisitedColor, &glimmer::tkHLink::setLinkVisitedColor}}) {
            const QColor design = glimmer::OleColor::toColor((l->*get)(), l->palette());
            (l->*set)(glimmer::OleColor::fromColor(readableOn(design, ground)));
        }
        return l;
    };
    QUrl cli = QUrl::fromLocalFile(help);
    cli.setFragment(QStringLiteral("cli"));
    QUrl glimmer = QUrl::fromLocalFile(help);
    glimmer.setFragment(QStringLiteral("glimmer"));
    hlnkFirst_ = link("hlnkFirst", QStringLiteral("Glimmer"), glimmer);
    hlnkSecond_ = link("hlnkSecond", QStringLiteral("notaro-cli"), cli);
}

void fMain::createControllers(std::unique_ptr<playback::MidiOutDevice> device) {
    syntax_ = std::make_unique<SyntaxCheck>(*txtAram_, prompts_, this);
    export_ = std::make_unique<ExportController>(*syntax_, prompts_, this);
    document_ = new DocumentController(*txtAram_, prompts_, this, this);
    recovery_ = std::make_unique<RecoveryStore>();
    autoSave_ = new AutoSave(*txtAram_, *document_, *recovery_, this);
    playback_ =
        new PlaybackController(*txtAram_, *syntax_, prompts_, this, std::move(device), this);
    liveCheck_ = new LiveSyntaxCheck(*txtAram_, this);
    createPracticeBar();
}

void fMain::connectControls() {
    connect(txtAram_, &ScoreEditor::caretLineMayHaveChanged, this, &fMain::showLineNumber);
    connect(txtAram_, &ScoreEditor::fileDropped, this, &fMain::openDropped);
    // The editor holds no more than a file may hold to be opened again.
    txtAram_->setCharacterLimit(static_cast<int32_t>(kEditorScoreLimit.characters));
    connect(txtAram_, &ScoreEditor::limitReached, this, [this] {
        prompts_.beep();
        status_->showMessage(tr("The score is full: it holds at most %1 characters, a line break "
                                "counting two.")
                                 .arg(kEditorScoreLimit.characters));
    });
    // The buttons that replace or write the document stop playing as a menu does.
    const auto stopThen = [this](glimmer::chBut* button, const std::function<void()>& command) {
        connect(button, &glimmer::chBut::Click, this, [this, command] {
            stopIfPlaying();
            run(command);
        });
    };
    stopThen(cmdNew_, [this] { document_->newDocument(); });
    stopThen(cmdOpen_, [this] { document_->open(); });
    stopThen(cmdSave_, [this] { document_->save(); });
    connect(cmdChkSyntax_, &glimmer::chBut::Click, this,
            [this] { run([this] { checkSyntaxCommand(); }); });
    connect(cmdSaveMidi_, &glimmer::chBut::Click, this,
            [this] { run([this] { export_->saveMidi(playback_->scoreOptions()); }); });
    connect(cmdPlay_, &glimmer::chBut::Click, this, &fMain::playClicked);
    connect(cmbPatch_, &QComboBox::currentIndexChanged, this, &fMain::updateInstrument);
    connect(chkForcePatch_, &QCheckBox::toggled, this, &fMain::updateInstrument);

    connect(playback_, &PlaybackController::activeChanged, cmdPlay_, &glimmer::chBut::setValue);
    connect(playback_, &PlaybackController::playingStarted, this,
            [this] { enableEditControls(false); });
    connect(playback_, &PlaybackController::playingStopped, this, [this] {
        showLineNumber();
        enableEditControls(true);
    });
    connect(playback_, &PlaybackController::outputNotice, this,
            [this](const QString& notice) { statusBar()->showMessage(notice, 10000); });
    connect(playback_, &PlaybackController::readyToClose, this, &QWidget::close);
    connect(document_, &DocumentController::captionChanged, this, &QWidget::setWindowTitle);
    connect(document_, &DocumentController::documentReplaced, this, &fMain::showLineNumber);
    connect(document_, &DocumentController::diskChangeNoticed, this,
            [this] { run([this] { document_->reviewDiskChange(); }); });
    connect(autoSave_, &AutoSave::copyFailed, this,
            [this](const QString& message) { status_->showMessage(message); });
    connect(document_, &DocumentController::imported, this,
            [this](const QString& report) { statusBar()->showMessage(report, 20000); });
}

void fMain::offerRecovery() {
    autoSave_->offerRecovery(prompts_, this);
}

void fMain::createMenus() {
    struct Item {
        const char* name;
        const char* text;
        std::function<void()> command;
    };
    const auto addMenu = [this](const char* name, const char* title,
                                std::initializer_list<Item> items) -> QMenu* {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(title));
        menu->setObjectName(QString::fromLatin1(name));
        // Opening a menu stops playback, so that no menu command runs while a score plays.
        connect(menu, &QMenu::aboutToShow, this, &fMain::stopIfPlaying);
        for (const Item& item : items) {
            if (!item.name) {
                menu->addSeparator();
                continue;
            }
            QAction* action = menu->addAction(QString::fromUtf8(item.text));
            action->setObjectName(QString::fromLatin1(item.name));
            connect(action, &QAction::triggered, this,
                    [this, command = item.command] { run(command); });
        }
        return menu;
    };
    const Item separator{nullptr, nullptr, {}};
    QMenu* file =
        addMenu("mnu_File", "&File",
                {{"mnu_File_New", "&New", [this] { document_->newDocument(); }},
                 {"mnu_File_Open", "&Open...", [this] { document_->open(); }},
                 {"mnu_File_Save", "&Save (Text)", [this] { document_->save(); }},
                 {"mnu_File_SaveAs", "Save (Text) &As...", [this] { document_->saveAs(); }},
                 separator,
                 {"mnu_File_ImportMidi", "&Import MIDI...", [this] { document_->importMidi(); }},
                 {"mnu_File_SaveMidi", "Save As &MIDI...",
                  [this] { export_->saveMidi(playback_->scoreOptions()); }},
                 {"mnu_File_ExportWav", "Export as &WAV...",
                  [this] { export_->exportWav(playback_->scoreOptions()); }},
                 {"mnu_File_SaveAbc", "Save As A&BC...", [this] { export_->saveAbc(); }},
                 {"mnu_File_ExportStaffPdf", "Export Staff as &PDF...",
                  [this] { export_->exportStaffPdf(); }},
                 {"mnu_File_ExportMusicXml", "&Export as MusicXML...",
                  [this] { export_->exportMusicXml(); }},
                 separator});
    // Exit closes the window through the closing path, with its save prompt.
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mnu_File_Exit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
    QMenu* tools = addMenu("mnu_Tools", "&Tools",
                           {{"mnu_Tools_Syntax", "Check &Syntax", [this] { checkSyntaxCommand(); }},
                            {"mnu_Tools_Times", "Note &Times...", [this] { noteTimesCommand(); }},
                            {"mnu_Tools_Transpose", "T&ranspose...", [this] {
                                 TransposeAction(*txtAram_, *syntax_, prompts_, this).run();
                             }}});
    QMenu* practice = addMenu(
        "mnu_Practice", "&Practice",
        {{"mnu_Practice_Settings", "&Settings...", [this] { practice_->settingsCommand(this); }}});
    practice_->addMenuItems(*practice);
    addMenu("mnu_Help", "&Help",
            {{"mnu_Help_Contents", "&Contents...", [this] { helpContentsCommand(); }},
             {"mnu_Help_Examples", "&Examples...", [this] { examplesCommand(); }},
             separator,
             {"mnu_Help_About", "&About Notaro...", [this] { aboutCommand(); }}});
    createKeyboardCommands(*tools);
    staffAction_ = tools->addAction(QStringLiteral("Show St&aff"));
    staffAction_->setObjectName(QStringLiteral("mnu_Tools_Staff"));
    staffAction_->setCheckable(true);
    staffAction_->setShortcut(Qt::Key_F8);
    // The output choice, after the Tools menu's own items; it takes effect at the next Play.
    auto* outputs = new MidiOutputMenu(tools);
    tools->addMenu(outputs);
    connect(outputs, &MidiOutputMenu::choiceFailed, this,
            [this](const QString& message) { statusBar()->showMessage(message, 10000); });
    // The help key opens the help page, as the registered help file would.
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { run([this] { helpContentsCommand(); }); });
}

void fMain::createStatusLine() {
    lblCheck_ = new QLabel(statusBar());
    lblCheck_->setObjectName(QStringLiteral("lblCheck"));
    lblCheck_->setAccessibleDescription(tr("Status"));
    statusBar()->addWidget(lblCheck_, 1);
    statusBar()->addPermanentWidget(practice_->passLabel());
    status_ = new StatusAnnouncer(*lblCheck_, this);
    connect(liveCheck_, &LiveSyntaxCheck::checked, status_, &StatusAnnouncer::showMessage);
    connect(playback_, &PlaybackController::sounding, status_,
            [this](int32_t, int32_t line, int32_t, int32_t) {
                status_->noteSounding(txtAram_->textCursor().selectedText(), line);
            });
    connect(playback_, &PlaybackController::playingStopped, status_, &StatusAnnouncer::playEnded);
    setAcceptDrops(true);
}

void fMain::createStaffPane() {
    staff_ = new StaffPane(*txtAram_, *liveCheck_, splitter_);
    splitter_->addWidget(staff_);
    // Three fifths for the text, two for the staff, kept as the window's size changes.
    splitter_->setStretchFactor(0, 3);
    splitter_->setStretchFactor(1, 2);
    splitter_->setSizes({300, 200});
    staff_->setVisible(StaffPane::loadShown());
    staffAction_->setChecked(staff_->isVisibleTo(this));
    connect(staffAction_, &QAction::toggled, this, [this](bool shown) {
        staff_->setVisible(shown);
        StaffPane::saveShown(shown);
    });
    // The mark follows the editor's selection of the sounding note in the same turn.
    connect(playback_, &PlaybackController::sounding, staff_,
            [this](int32_t record, int32_t, int32_t, int32_t) { staff_->showSounding(record); });
    connect(playback_, &PlaybackController::playingStopped, staff_, &StaffPane::playingStopped);
}

void fMain::createKeyboardCommands(QMenu& tools) {
    // Play / Stop follows Check Syntax, as the buttons do.
    auto* play = new QAction(tr("&Play / Stop"), &tools);
    play->setObjectName(QStringLiteral("mnu_Tools_Play"));
    play->setShortcut(Qt::Key_F5);
    tools.insertAction(tools.findChild<QAction*>(QStringLiteral("mnu_Tools_Times")), play);
    connect(play, &QAction::triggered, this, &fMain::playCommand);
    // Opening the menu stops a play; choosing Play / Stop in it then must not start it again.
    connect(&tools, &QMenu::aboutToShow, this,
            [this] { menuStoppedPlay_ = playback_->isPlaying(); });
    connect(&tools, &QMenu::aboutToHide, this,
            [this] { QTimer::singleShot(0, this, [this] { menuStoppedPlay_ = false; }); });
    auto* announce = tools.addAction(tr("Announce Sounding &Notes"));
    announce->setObjectName(QStringLiteral("mnu_Tools_AnnounceNotes"));
    announce->setCheckable(true);
    connect(announce, &QAction::toggled, status_, &StatusAnnouncer::setNotesAnnounced);
    // The editor keeps Tab as a character; Ctrl+Tab and Ctrl+Shift+Tab move the focus out of
    // it and, from the other controls, round into it again.
    const auto focusKeys = [this](std::initializer_list<QKeySequence> keys, bool forward) {
        for (const QKeySequence& key : keys) {
            auto* shortcut = new QShortcut(key, this);
            connect(shortcut, &QShortcut::activated, this,
                    [this, forward] { focusNextPrevChild(forward); });
        }
    };
    focusKeys({QKeySequence(Qt::CTRL | Qt::Key_Tab)}, true);
    focusKeys({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab),
               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)},
              false);
}

void fMain::playClicked() {
    if (cmdPlay_->Value())
        playback_->play();
    else
        playback_->stop(); // released while playing
}

void fMain::playCommand() {
    if (menuStoppedPlay_) {
        menuStoppedPlay_ = false;
        return;
    }
    // What a click on the button does: it latches or releases, then its handler runs.
    cmdPlay_->setValue(!cmdPlay_->Value());
    playClicked();
}

QString fMain::checkMessage() const {
    return lblCheck_->text();
}

void fMain::formLoad() {
    initAppValues();
    centerFormOnScreen(*this);
    cmbPatch_->setCurrentIndex(0);
    setWindowTitle(document_->caption());
    setMenuBarColor(menuBar(), 0xFFFFFF, false);
    OnTimeRatios ratios;
    const std::vector<std::string> problems = loadOnRatios(ratios);
    QStringList lines;
    for (const std::string& problem : problems)
        lines << QString::fromStdString(problem);
    for (const std::string& problem : practice_->load())
        lines << QString::fromStdString(problem);
    if (!lines.isEmpty())
        status_->showMessage(lines.join(QLatin1Char(' ')));
    playback_->setOnTimeRatios(ratios);
    setSamplesFolder(dataFolder(QStringLiteral("samples")));
    layoutClient();
}

bool fMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize)
        layoutClient();
    return QMainWindow::eventFilter(watched, event);
}

void fMain::layoutClient() {
    if (isMinimized())
        return;
    const int w = client_->width() * kTwipsPerPixel;
    const int h = client_->height() * kTwipsPerPixel;
    const int lineTop = h - kLineLabelHeight;
    lblLnNum_->setGeometry(twipRect(0, lineTop, 1485, kLineLabelHeight));
    const int rowTop = lineTop + 30;
    // Labels may outgrow their design width where the font is wider than the design's.
    const QRect related = twipRect(2715, rowTop, 1275, kLineLabelHeight - 30);
    lblRelated_->setGeometry(
        related.adjusted(0, 0, qMax(0, lblRelated_->sizeHint().width() - related.width()), 0));
    hlnkFirst_->setGeometry(twipRect(4155, rowTop, 720, kLineLabelHeight - 30));
    lblAnd_->setGeometry(twipRect(4950, rowTop, 270, kLineLabelHeight - 30));
    hlnkSecond_->setGeometry(twipRect(5325, rowTop, 1365, kLineLabelHeight - 30));
    const int editorHeight = h - kEditorTop - kLineLabelHeight - 30;
    QRect editor = splitter_->geometry();
    editor.setLeft(0);
    editor.setWidth(client_->width());
    if (editorHeight > 40)
        editor.setHeight(px(editorHeight));
    splitter_->setGeometry(editor);
    lnBelowMenu_->setGeometry(0, 0, px(w), 2);
}

void fMain::closeEvent(QCloseEvent* event) {
    if (playback_->isPlaying()) {
        // Stop first; the close is tried again once the play call has returned.
        playback_->stopForClose();
        event->ignore();
        return;
    }
    if (!document_->querySaveChanges()) {
        event->ignore();
        return;
    }
    event->accept();
}

void fMain::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void fMain::dropEvent(QDropEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            openDropped(url.toLocalFile());
            return;
        }
    }
}

void fMain::openDropped(const QString& path) {
    run([this, path] { document_->openDropped(path); });
}

void fMain::showLineNumber() {
    lblLnNum_->setText(QStringLiteral("Line ") + QString::number(txtAram_->caretLineIndex() + 1));
}

void fMain::enableEditControls(bool flag) {
    for (QWidget* w : std::initializer_list<QWidget*>{cmbPatch_, chkForcePatch_, cmdChkSyntax_,
                                                      cmdNew_, cmdOpen_, cmdSave_, cmdSaveMidi_})
        w->setEnabled(flag);
}

void fMain::updateInstrument() {
    playback_->setInstrument(chkForcePatch_->isChecked() ? cmbPatch_->currentIndex() : -1);
}

void fMain::stopIfPlaying() {
    playback_->stop();
    cmdPlay_->setValue(false);
}

void fMain::run(std::function<void()> command) {
    playback_->runCommand(std::move(command));
}

void fMain::checkSyntaxCommand() {
    stopIfPlaying();
    syntax_->checkCommand();
}

void fMain::noteTimesCommand() {
    fOnTimes dialog(prompts_, playback_->onTimeRatios(), this);
    connect(&dialog, &fOnTimes::applied, playback_, &PlaybackController::setOnTimeRatios);
    dialog.exec();
}

void fMain::helpContentsCommand() {
    openHelpTopic(dataFolder(QStringLiteral("help")) + QStringLiteral("/eOview.htm"), prompts_,
                  this);
}

void fMain::examplesCommand() {
    fExamples dialog(prompts_, this);
    dialog.exec();
}

void fMain::aboutCommand() {
    fAbout dialog(prompts_, this);
    dialog.exec();
}

} // namespace notaro::app

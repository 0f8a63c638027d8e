#include "ui/preview.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QFrame>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEngineProfile>
#include <QWebEngineSettings>
#include <QWebEngineView>

#include <stdexcept>
#include <utility>

#include "commands/preview_files.h"
#include "engine/base/settings_model.h"
#include "engine/encodings/input_decoder.h"
#include "engine/text/encoding.h"
#include "ui/Unit1.h"
#include "ui/dropped_files.h"
#include "ui/file_change_watcher.h"
#include "ui/memo_font.h"
#include "ui/preview_web_page.h"
#include "ui/qt_text.h"
#include "ui/web_engine_setup.h"
#include "ui/widget_factory.h"

namespace {

// The text of the source file as the memo shows it, one line per line of the file, read in the
// encoding the conversion reads it in.
QString SourceText(const std::string& path, const TForm& mainWindow) {
    const std::optional<std::string> text =
        ReadFileAsUtf8(path, InputEncodingOf(mainWindow.ItemIndex("cmbInputEncoding")));
    if (!text)
        return {};
    return QString::fromStdString(*text).replace("\r\n", "\n").replace('\r', '\n');
}

}  // namespace

TPreview::TPreview(TfrmMain& main) : main_(main) {
    if (!PreviewSchemeRegistered() || !WebEngineAvailable())
        throw std::runtime_error("the web engine cannot be created");
    QWidget* page = main.PreviewPage();
    auto* layout = qobject_cast<QVBoxLayout*>(page->layout());

    QCheckBox* fromInput =
        NewCheck(page, "chkPreviewFromCnvFile", "実際に変換するファイルをプレビューに使う", true,
                 "時間がかかるときはチェックを外してください。");
    layout->addWidget(fromInput);

    // The view goes in a sunken frame, so the page's edge shows against the tab.
    frame_ = new QFrame(page);
    frame_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* frameLayout = new QVBoxLayout(frame_);
    frameLayout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(frame_, 3);

    memo_ = new QPlainTextEdit(page);
    memo_->setObjectName("memPreview");
    memo_->setReadOnly(true);
    memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo_->setFont(MemoFont());
    layout->addWidget(NewCaption(page, "↓元のテキストファイル", memo_));
    layout->addWidget(memo_, 1);

    watcher_ = new TFileChangeWatcher([this] { RebuildKeepingPlace(); }, this);
    connect(main.Pages(), &QTabWidget::currentChanged, this, [this](int index) {
        if (main_.Pages()->widget(index) == main_.PreviewPage()) {
            ShowPreviewPage();
        } else {
            watcher_->Watch({});
        }
    });
    // After the command that chose the file has shown its encoding.
    main.SetInputPathHandler(
        [this] { QTimer::singleShot(0, this, [this] { FollowInputPath(); }); });
    main.SetPreviewBuilder([this] { return BuildPreview(); });
}

TPreview::~TPreview() {
    ending_ = true;
    main_.SetPreviewBuilder({});
    main_.SetInputPathHandler({});
    // The page goes with its view, and must go before its profile.
    delete view_;
}

QWebEngineView* TPreview::WebView() const {
    return view_;
}

void TPreview::StartWebEngine() {
    StartSharedGraphicsContext();
    // A profile of its own, kept in memory only: nothing of the preview stays on the disk.
    profile_ = new QWebEngineProfile(this);
    handler_ = new TPreviewSchemeHandler(this);
    profile_->installUrlSchemeHandler(kPreviewScheme, handler_);
    QWebEngineSettings* settings = profile_->settings();
    // Links to mail and other programs reach the guard too instead of being decided by the
    // engine.
    settings->setUnknownUrlSchemePolicy(QWebEngineSettings::AllowAllUnknownUrlSchemes);
    // Japanese pages read in a gothic face, as the desktop's browsers show them by default; the
    // engine's own default is a serif face.
    settings->setFontFamily(QWebEngineSettings::StandardFont,
                            settings->fontFamily(QWebEngineSettings::SansSerifFont));

    view_ = new QWebEngineView(frame_);
    view_->setObjectName("wbrwsPreview");
    webPage_ = new TPreviewWebPage(profile_, main_.Env().Platform, view_);
    view_->setPage(webPage_);
    view_->installEventFilter(this);
    for (QObject* child : view_->children())
        child->installEventFilter(this);
    connect(view_, &QWebEngineView::loadFinished, this, [this](bool ok) { PageLoaded(ok); });
    frame_->layout()->addWidget(view_);
}

bool TPreview::BuildPreview() {
    const std::string& folder = main_.PreviewFolder().Path();
    if (folder.empty())
        return false;
    const TPreviewFiles files = PreviewFilesIn(folder);
    TConversionEncodings encodings;
    if (!WritePreviewFiles(main_.Env(), ToNative(main_.InputPath()), files, encodings))
        return false;
    if (view_ == nullptr)
        StartWebEngine();
    handler_->SetFolder(folder, EncodingDisplayName(encodings.Page));
    webPage_->ShowFile(files.Page);
    memo_->setPlainText(SourceText(files.Source, main_.Form()));
    return true;
}

bool TPreview::Showing() const {
    return main_.Pages()->currentWidget() == main_.PreviewPage();
}

void TPreview::ShowPreviewPage() {
    placeToRestore_.reset();
    watcher_->Watch(main_.InputPath());
    if (!BuildPreview())
        ShowOk(main_.Env().Platform, TMessageKind::Warning, Sjis("プレビューが作成できません"));
}

void TPreview::FollowInputPath() {
    if (ending_ || !Showing())
        return;
    ShowPreviewPage();
}

void TPreview::RebuildKeepingPlace() {
    if (!Showing() || !main_.Form().Checked("chkPreviewFromCnvFile"))
        return;
    // Between an editor's steps the file may be missing for a moment; the sample would stand in
    // for it, so the page stays as it is until the file is back.
    if (!QFileInfo(main_.InputPath()).isFile())
        return;
    if (!pageShown_) {
        ShowPreviewPage();
        return;
    }
    // A change that comes while the place is asked for is read by the build that follows.
    if (readingPlace_)
        return;
    readingPlace_ = true;
    webPage_->runJavaScript("[window.scrollX, window.scrollY]", [this](const QVariant& place) {
        if (ending_)
            return;
        readingPlace_ = false;
        QScrollBar* down = memo_->verticalScrollBar();
        QScrollBar* across = memo_->horizontalScrollBar();
        const int memoDown = down->value();
        const int memoAcross = across->value();
        if (!BuildPreview()) {
            ShowOk(main_.Env().Platform, TMessageKind::Warning, Sjis("プレビューが作成できません"));
            return;
        }
        // The page is put back where it was once it has loaded; the memo right away.
        if (const QVariantList xy = place.toList(); xy.size() == 2)
            placeToRestore_ = QPointF(xy[0].toDouble(), xy[1].toDouble());
        down->setValue(memoDown);
        across->setValue(memoAcross);
    });
}

void TPreview::PageLoaded(bool ok) {
    pageShown_ = pageShown_ || ok;
    const std::optional<QPointF> place = std::exchange(placeToRestore_, std::nullopt);
    if (!ok || !place) {
        emit loadFinished(ok);
        return;
    }
    webPage_->runJavaScript(QString("window.scrollTo(%1, %2)").arg(place->x()).arg(place->y()),
                            [this](const QVariant&) {
                                if (!ending_)
                                    emit loadFinished(true);
                            });
}

bool TPreview::eventFilter(QObject* watched, QEvent* event) {
    if (watched == view_) {
        // The engine puts the widget that takes the input into the view; it can be replaced.
        if (event->type() == QEvent::ChildAdded)
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        return false;
    }
    switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove: {
            auto* drag = static_cast<QDragMoveEvent*>(event);
            draggingFiles_ = !DroppedLocalFiles(drag->mimeData()).isEmpty();
            if (!draggingFiles_)
                return false;
            drag->acceptProposedAction();
            return true;
        }
        case QEvent::DragLeave: {
            const bool ours = draggingFiles_;
            draggingFiles_ = false;
            return ours;
        }
        case QEvent::Drop: {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList paths = DroppedLocalFiles(drop->mimeData());
            draggingFiles_ = false;
            if (paths.isEmpty())
                return false;
            drop->acceptProposedAction();
            main_.DropFiles(paths);
            return true;
        }
        default:
            return false;
    }
}

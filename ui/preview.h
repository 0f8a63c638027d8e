// The main window's page "プレビュー": the current settings convert a source text (the input
// file, or the sample text of the engine) into a page that the web view wbrwsPreview shows, with
// the source under it in the read-only memPreview. The page is built every time it is shown,
// after a settings file is loaded while it is showing, and, while it is showing, as soon as
// another input file is chosen and a moment after the input file changes on disk (in place or
// replaced by a rename); a change on disk keeps the place both views were scrolled to.
// The web engine is costly to start, so its profile and view are made when the page is first
// shown, not with the window.
#pragma once

#include <QObject>
#include <QPointF>
#include <QPointer>

#include <optional>
#include <string>

class QFrame;
class QPlainTextEdit;
class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;
class TFileChangeWatcher;
class TfrmMain;
class TPreviewSchemeHandler;
class TPreviewWebPage;

class TPreview : public QObject {
    Q_OBJECT

  public:
    // Fills the main window's preview page and takes over its rebuilds. Throws
    // std::runtime_error when the web engine could not be created (PrepareWebEngine must have
    // run), although the engine itself starts only with the first preview.
    explicit TPreview(TfrmMain& main);
    ~TPreview() override;
    TPreview(const TPreview&) = delete;
    TPreview& operator=(const TPreview&) = delete;

    // Writes the source and the page in the main window's private preview folder, shows the
    // page and the source. False when the folder could not be made or the source could not be
    // written; the view then keeps its previous page.
    bool BuildPreview();

    // The web view; nullptr until the page was first built.
    QWebEngineView* WebView() const;

  signals:
    // A page was loaded into the view (ok: it loaded), and scrolled back to where the page
    // before it was when a change on disk rebuilt it.
    void loadFinished(bool ok);

  protected:
    // Files dragged onto the web view are the main window's drop, as anywhere on the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void StartWebEngine();
    bool Showing() const;
    // The page's show handler: builds the preview or says that it cannot, and follows the
    // input file from now on.
    void ShowPreviewPage();
    void FollowInputPath();
    // The input file changed on disk while the page shows: rebuilt where the views are.
    void RebuildKeepingPlace();
    void PageLoaded(bool ok);

    TfrmMain& main_;
    QFrame* frame_;
    QWebEngineProfile* profile_ = nullptr;
    TPreviewSchemeHandler* handler_ = nullptr;
    QPointer<QWebEngineView> view_;
    TPreviewWebPage* webPage_ = nullptr;
    QPlainTextEdit* memo_;
    TFileChangeWatcher* watcher_;
    bool pageShown_ = false;     // a page was loaded into the view
    bool readingPlace_ = false;  // the page's scroll position is being asked for
    std::optional<QPointF> placeToRestore_;
    bool ending_ = false;
    bool draggingFiles_ = false;
};

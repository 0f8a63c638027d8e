// The main window's page "プレビュー": every time the page is shown, and after a settings file is
// loaded while it is showing, the current settings convert a source text (the input file, or the
// sample text of the engine) into a page that the web view wbrwsPreview shows, with the source
// under it in the read-only memPreview. Nothing is kept from one preview to the next.
#pragma once

#include <QObject>
#include <QPointer>

#include <string>

class QCheckBox;
class QPlainTextEdit;
class QWebEngineProfile;
class QWebEngineView;
class TfrmMain;
class TPreviewSchemeHandler;
class TPreviewWebPage;

class TPreview : public QObject {
  public:
    // Fills the main window's preview page and takes over its rebuilds. Throws
    // std::runtime_error when the web engine cannot be created (PrepareWebEngine must have run).
    explicit TPreview(TfrmMain& main);
    ~TPreview() override;
    TPreview(const TPreview&) = delete;
    TPreview& operator=(const TPreview&) = delete;

    // Writes the source and the page in the main window's private preview folder, shows the
    // page and the source. False when the folder could not be made or the source could not be
    // written; the view then keeps its previous page.
    bool BuildPreview();

    QWebEngineView* WebView() const;

  protected:
    // Files dragged onto the web view are the main window's drop, as anywhere on the window.
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The page's show handler: builds the preview or says that it cannot.
    void ShowPreviewPage();

    TfrmMain& main_;
    QWebEngineProfile* profile_;
    TPreviewSchemeHandler* handler_;
    QPointer<QWebEngineView> view_;
    TPreviewWebPage* webPage_;
    QPlainTextEdit* memo_;
    bool draggingFiles_ = false;
};

// A label that holds the two colours the settings are stored in: its text colour and its own
// (background) colour, shown only while the label is opaque. Clicking it emits clicked(); path
// labels elide a long text in the middle but keep the whole text as their caption.
#pragma once

#include <QFrame>
#include <QString>

#include "engine/text/text_helpers.h"

class TColorLabel : public QFrame {
    Q_OBJECT

  public:
    explicit TColorLabel(const QString& caption, QWidget* parent = nullptr);

    QString Caption() const { return caption_; }
    void SetCaption(const QString& caption);

    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color);
    TColor OwnColor() const { return ownColor_; }
    void SetOwnColor(TColor color);

    // A transparent label shows what lies behind it instead of its own colour.
    bool Opaque() const { return opaque_; }
    void SetOpaque(bool opaque);

    void SetAlignment(Qt::Alignment alignment);
    void SetElideMiddle(bool elide);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

  signals:
    void clicked();
    void entered();
    void left();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    // A label that takes the focus is clicked with Space or Enter as well.
    void keyPressEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

  private:
    QString caption_;
    TColor fontColor_ = 0;
    TColor ownColor_ = 0xF0F0F0;
    bool opaque_ = true;
    bool elideMiddle_ = false;
    Qt::Alignment alignment_ = Qt::AlignLeft | Qt::AlignVCenter;
};

// A horizontal line drawn in a pen colour: the underline of an emphasis sample.
class TLineShape : public QWidget {
  public:
    explicit TLineShape(QWidget* parent = nullptr);

    TColor PenColor() const { return penColor_; }
    void SetPenColor(TColor color);

    QSize sizeHint() const override { return {40, 2}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    TColor penColor_ = 0;
};

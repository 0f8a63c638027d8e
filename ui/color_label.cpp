#include "ui/color_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "ui/qt_text.h"

TColorLabel::TColorLabel(const QString& caption, QWidget* parent)
    : QFrame(parent), caption_(caption) {}

void TColorLabel::SetCaption(const QString& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    updateGeometry();
    update();
}

void TColorLabel::SetFontColor(TColor color) {
    fontColor_ = color;
    update();
}

void TColorLabel::SetOwnColor(TColor color) {
    ownColor_ = color;
    update();
}

void TColorLabel::SetOpaque(bool opaque) {
    opaque_ = opaque;
    update();
}

void TColorLabel::SetAlignment(Qt::Alignment alignment) {
    alignment_ = alignment;
    update();
}

void TColorLabel::SetElideMiddle(bool elide) {
    elideMiddle_ = elide;
    updateGeometry();
    update();
}

QSize TColorLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    const int margin = 2 * (frameWidth() + 4);
    const int width = elideMiddle_ ? 120 : metrics.horizontalAdvance(caption_);
    return {width + margin, metrics.height() + margin};
}

QSize TColorLabel::minimumSizeHint() const {
    return elideMiddle_ ? QSize(40, sizeHint().height()) : sizeHint();
}

void TColorLabel::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (opaque_)
        painter.fillRect(contentsRect(), ToQColor(ownColor_));
    const QRect area = contentsRect().adjusted(4, 0, -4, 0);
    const QString shown =
        elideMiddle_ ? fontMetrics().elidedText(caption_, Qt::ElideMiddle, area.width()) : caption_;
    painter.setPen(isEnabled() ? ToQColor(fontColor_)
                               : palette().color(QPalette::Disabled, QPalette::WindowText));
    painter.drawText(area, static_cast<int>(alignment_), shown);
    if (hasFocus()) {
        QPen focus(palette().color(QPalette::Highlight), 1, Qt::DotLine);
        painter.setPen(focus);
        painter.drawRect(contentsRect().adjusted(1, 1, -2, -2));
    }
    painter.end();
    QFrame::paintEvent(event);
}

void TColorLabel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        isEnabled()) {
        emit clicked();
    }
    QFrame::mouseReleaseEvent(event);
}

void TColorLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        emit clicked();
        return;
    }
    QFrame::keyPressEvent(event);
}

void TColorLabel::enterEvent(QEnterEvent* event) {
    emit entered();
    QFrame::enterEvent(event);
}

void TColorLabel::leaveEvent(QEvent* event) {
    emit left();
    QFrame::leaveEvent(event);
}

TLineShape::TLineShape(QWidget* parent) : QWidget(parent) {
    setFixedHeight(2);
}

void TLineShape::SetPenColor(TColor color) {
    penColor_ = color;
    update();
}

void TLineShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ToQColor(penColor_));
}

// A framed group of radio buttons with one selected item, addressed by position.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QStringList>

class TRadioGroup : public QGroupBox {
    Q_OBJECT

  public:
    TRadioGroup(const QString& title, const QStringList& items, QWidget* parent = nullptr);

    int Count() const;
    // -1 when no button is selected.
    int ItemIndex() const;
    // Selects button index; an index past the end selects the last button, -1 or less none.
    void SetItemIndex(int index);

  signals:
    void itemIndexChanged();

  private:
    QButtonGroup buttons_;
};

#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace brisomar {

// A captioned group of exclusive choices laid out in columns. `clicked` comes from the sailor's
// clicks only, never from setItemIndex, and only when the click chooses another item: clicking
// the item already chosen does nothing.
class RadioGroup : public QGroupBox {
    Q_OBJECT

public:
    RadioGroup(const QString& caption, const QStringList& items, int columns, QWidget* parent);

    int itemIndex() const; // -1 when none is chosen
    void setItemIndex(int index);
    QString itemText(int index) const;
    QString selectedText() const { return itemText(itemIndex()); }
    int count() const;
    void click(int index); // as the sailor's click on an item

signals:
    void clicked();

private:
    void onButtonClicked(int index);

    QButtonGroup* buttons_ = nullptr;
    int chosen_ = -1; // the item chosen, as last set or clicked
};

} // namespace brisomar

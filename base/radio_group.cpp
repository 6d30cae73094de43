#include "base/radio_group.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

namespace brisomar {

RadioGroup::RadioGroup(const QString& caption, const QStringList& items, int columns,
                       QWidget* parent)
    : QGroupBox(caption, parent), buttons_(new QButtonGroup(this)) {
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(0);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        buttons_->addButton(button, i);
        grid->addWidget(button, i % rows, i / rows);
    }
    connect(buttons_, &QButtonGroup::idClicked, this, &RadioGroup::onButtonClicked);
}

void RadioGroup::onButtonClicked(int index) {
    if (index == chosen_)
        return;
    chosen_ = index;
    emit clicked();
}

int RadioGroup::itemIndex() const {
    return buttons_->checkedId();
}

void RadioGroup::setItemIndex(int index) {
    if (QAbstractButton* button = buttons_->button(index)) {
        button->setChecked(true);
        chosen_ = index;
        return;
    }
    chosen_ = -1;
    if (QAbstractButton* checked = buttons_->checkedButton()) {
        buttons_->setExclusive(false);
        checked->setChecked(false);
        buttons_->setExclusive(true);
    }
}

QString RadioGroup::itemText(int index) const {
    const QAbstractButton* button = buttons_->button(index);
    return button ? button->text() : QString();
}

int RadioGroup::count() const {
    return static_cast<int>(buttons_->buttons().size());
}

void RadioGroup::click(int index) {
    if (QAbstractButton* button = buttons_->button(index))
        button->click();
}

} // namespace brisomar

#include "editor/ModbusPage.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/PageHost.h"
#include "editor/WidgetWrites.h"
#include "editor/model/PageRules.h"

namespace mnm::editor {

namespace {

enum Id {
    kEncodingGroup = 5014, kSizeGroup = 5015, kRtu = 6314, kAscii = 6313, kEightBit = 6004, kSevenBit = 6003,
    kEven = 6005, kOdd = 6006, kMark = 6007, kSpace = 6008, kCheckParity = 7008,
};

constexpr int kParityIndent = 20; // the parity choices stand under "Seven Bit, plus ..."

template <typename Button>
Button* Choice(const QString& text, int id, QWidget* parent)
{
    auto* button = new Button(text, parent);
    button->setObjectName(QString::number(id));
    return button;
}

} // namespace

ModbusPage::ModbusPage(PageHost& host, QWidget* parent) : QWidget(parent), host_(host)
{
    setObjectName("ModbusPage");
    auto* encoding = new QGroupBox(tr("&Encoding"), this);
    encoding->setObjectName(QString::number(kEncodingGroup));
    rtu_ = Choice<QRadioButton>(tr("&RTU"), kRtu, encoding);
    ascii_ = Choice<QRadioButton>(tr("&ASCII"), kAscii, encoding);
    auto* encodingLayout = new QVBoxLayout(encoding);
    encodingLayout->addWidget(rtu_);
    encodingLayout->addWidget(ascii_);

    auto* size = new QGroupBox(tr("Character Si&ze"), this);
    size->setObjectName(QString::number(kSizeGroup));
    eightBit_ = Choice<QRadioButton>(tr("&Eight Bit"), kEightBit, size);
    sevenBit_ = Choice<QRadioButton>(tr("&Seven Bit, plus ..."), kSevenBit, size);
    parity_[static_cast<int>(Parity::Even)] = Choice<QRadioButton>(tr("E&ven Parity"), kEven, size);
    parity_[static_cast<int>(Parity::Odd)] = Choice<QRadioButton>(tr("O&dd Parity"), kOdd, size);
    parity_[static_cast<int>(Parity::Mark)] = Choice<QRadioButton>(tr("Mar&k Parity"), kMark, size);
    parity_[static_cast<int>(Parity::Space)] = Choice<QRadioButton>(tr("Spa&ce Parity"), kSpace, size);
    checkParity_ = Choice<QCheckBox>(tr("C&heck Received Parity"), kCheckParity, size);
    auto* sizeLayout = new QVBoxLayout(size);
    sizeLayout->addWidget(eightBit_);
    sizeLayout->addWidget(sevenBit_);
    auto* parityLayout = new QVBoxLayout;
    parityLayout->setContentsMargins(kParityIndent, 0, 0, 0);
    for (QRadioButton* p : parity_) parityLayout->addWidget(p);
    parityLayout->addWidget(checkParity_);
    sizeLayout->addLayout(parityLayout);

    // Each pair is exclusive on its own; the parity buttons among themselves.
    for (auto buttons : {std::initializer_list<QRadioButton*>{rtu_, ascii_}, {eightBit_, sevenBit_},
                         {parity_[0], parity_[1], parity_[2], parity_[3]}}) {
        auto* group = new QButtonGroup(this);
        for (QRadioButton* b : buttons) group->addButton(b);
    }

    auto* groups = new QHBoxLayout;
    groups->addWidget(encoding, 0, Qt::AlignTop);
    groups->addWidget(size, 0, Qt::AlignTop);
    groups->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(groups);
    layout->addStretch();

    const auto choose = [this](QAbstractButton* button, auto change) {
        connect(button, &QAbstractButton::clicked, this, [this, change] { host_.Edit(change); });
    };
    choose(rtu_, [](EditorContents& e) { e.rtu = true; });
    choose(ascii_, [](EditorContents& e) { e.rtu = false; });
    choose(eightBit_, [](EditorContents& e) { e.sevenBit = false; });
    choose(sevenBit_, [](EditorContents& e) { e.sevenBit = true; });
    for (int p = 0; p < 4; ++p)
        choose(parity_[p], [p](EditorContents& e) { e.parity = static_cast<Parity>(p); });
    connect(checkParity_, &QCheckBox::clicked, this,
            [this](bool checked) { host_.Edit([checked](EditorContents& e) { e.checkParity = checked; }); });
}

void ModbusPage::Refresh()
{
    const EditorContents& e = host_.Contents();
    WriteChecked(e.rtu ? rtu_ : ascii_, true);
    WriteChecked(e.sevenBit ? sevenBit_ : eightBit_, true);
    WriteChecked(parity_[static_cast<int>(e.parity)], true);
    WriteChecked(checkParity_, e.checkParity);
    // A parity chosen under seven bits stays visible, greyed, under eight.
    const bool parity = ParityEnabled(e);
    for (QRadioButton* p : parity_) WriteEnabled(p, parity);
    WriteEnabled(checkParity_, parity);
}

} // namespace mnm::editor

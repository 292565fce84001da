#include "forms/port/tmodulebasicconfigurationform.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "forms/common/formwidgets.h"
#include "pages/tctrlbtnpanel.h"

TModuleBasicConfigurationForm::TModuleBasicConfigurationForm(QWidget* owner, const KvFormHost& host)
    : TFormDialog(owner, host, QStringLiteral("Module Basic Configuration"))
{
    setObjectName("ModuleBasicConfigurationForm");

    auto* group = new QGroupBox(this);
    group->setObjectName("GroupBox1");
    CheckBox1 = new QCheckBox(QStringLiteral("Refresh Panel every"), group);
    CheckBox1->setObjectName("CheckBox1");
    Edit1 = new QLineEdit(group);
    Edit1->setObjectName("Edit1");
    Edit1->setFixedWidth(40);
    CheckBox2 = new QCheckBox(QStringLiteral("Refresh Panel Now"), group);
    CheckBox2->setObjectName("CheckBox2");
    auto* grid = new QGridLayout(group);
    grid->setContentsMargins(8, 4, 8, 4);
    grid->setVerticalSpacing(2);
    grid->addWidget(CheckBox1, 0, 0);
    grid->addWidget(Edit1, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Minutes"), group), 0, 2);
    grid->addWidget(CheckBox2, 1, 0, 1, 3);
    grid->setColumnStretch(3, 1);

    const auto button = [this](const char* name, const char* caption) {
        QPushButton* b = formwidgets::NewButton(this, name, caption);
        b->setFixedSize(TCtrlBtnPanel::kButtonWidth - 16, TCtrlBtnPanel::kButtonHeight);
        return b;
    };
    BitBtn1 = button("BitBtn1", "&Set");
    BitBtn2 = button("BitBtn2", "&Close");
    auto* buttons = new QVBoxLayout;
    buttons->setSpacing(4);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    buttons->addStretch(1);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);
    resize(kWidth, kHeight);

    connect(BitBtn1, &QPushButton::clicked, this, &TModuleBasicConfigurationForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TModuleBasicConfigurationForm::BitBtn2Click);
}

void TModuleBasicConfigurationForm::BitBtn1Click()
{
    if (host_.resetUnitWindows)
        host_.resetUnitWindows();
}

void TModuleBasicConfigurationForm::BitBtn2Click()
{
    close();
}

#include "shell/pagecommands.h"

#include "binding/kvlineeditconstraint.h"
#include "binding/kvsnmprequest2edits.h"
#include "pages/kvcentredmodal.h"
#include "pages/tconfigform.h"
#include "shell/mainmenu.h"
#include "tables/pagetables.h"
#include "shell/tmainform.h"
#include "snmp/kvsnmpvarlist.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPointer>

#include <algorithm>
#include <exception>

namespace pagecommands {

// The main window's RMON-state binding: one variable, read blocking, shown in
// the RMON state static text. Lives as long as the main window, which holds
// it (TMainForm::RmonState).
class RmonStateBinding : public QObject {
public:
    RmonStateBinding(TMainForm& mainForm, QLabel* stateText) : QObject(&mainForm), text(stateText)
    {
        setObjectName(QStringLiteral("RmonStateBinding"));
        binding = std::make_unique<KvSNMPRequest2Edits>(&mainForm);
        binding->request.variables = KvSNMPVarList(kvtables::varsRmonControl, kvListScalars, 0);
        binding->BindControl(0, stateText);
    }

    std::unique_ptr<KvSNMPRequest2Edits> binding;
    QPointer<QLabel> text;
};

void ApplyAdjustments(TConfigForm& form, const PageAdjust& adjust)
{
    UIEntryTable& entries = form.Entries();
    const int count = CountEntries(entries);
    // Editor widths, in table order.
    if (adjust.editorWidthAdd != 0 || adjust.editorWidth > 0) {
        for (int k = 0; k < count; ++k) {
            QWidget* editor = entries[k].editor;
            if (!editor)
                continue;
            const int width = adjust.editorWidth > 0 ? adjust.editorWidth : editor->width() + adjust.editorWidthAdd;
            editor->resize(width, editor->height());
        }
    }
    // Text limits of single editors.
    if (adjust.limits) {
        KvSNMPRequest2Edits* binding = form.MainBinding();
        for (const EditorLimit* limit = adjust.limits; limit->entry >= 0; ++limit) {
            if (limit->entry >= count)
                continue;
            auto* edit = qobject_cast<QLineEdit*>(entries[limit->entry].editor);
            if (!edit)
                continue;
            // An edit under an edit constraint with this limit already keeps it
            // for typing without cutting the texts the program shows; only an
            // edit without one gets the plain text limit.
            const bool limited = binding && binding->EditConstraint().IsRegistered(edit) &&
                                 binding->EditConstraint().MaxLength(edit) > 0 &&
                                 binding->EditConstraint().MaxLength(edit) <= limit->maxLength;
            if (!limited)
                edit->setMaxLength(limit->maxLength);
        }
    }
    if (adjust.stopButton)
        form.ShowStopButton();
    if (adjust.height > 0)
        form.resize(form.width(), adjust.height);
    if (adjust.heightAdd != 0)
        form.resize(form.width(), form.height() + adjust.heightAdd);
    if (adjust.widthAdd != 0)
        form.resize(form.width() + adjust.widthAdd, form.height());
}

QLabel* AddStpNotes(TConfigForm& form)
{
    UIEntryTable& entries = form.Entries();
    const int count = CountEntries(entries);
    if (count == 0 || !entries[count - 1].editor)
        return nullptr;
    QWidget* editor = entries[count - 1].editor;
    QWidget* parent = editor->parentWidget();
    const std::span<const char* const> texts = kvtables::StpNoteTexts();
    const char* names[] = {kStpNoteName1, kStpNoteName2};
    QWidget* above = editor;
    QLabel* label = nullptr;
    int reach = editor->x() + editor->width();
    for (size_t i = 0; i < texts.size() && i < 2; ++i) {
        label = new QLabel(QString::fromLatin1(texts[i]), parent);
        label->setObjectName(QString::fromLatin1(names[i]));
        QPalette palette = label->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        label->setPalette(palette);
        label->adjustSize();
        label->move(editor->x(), above->y() + above->height() + kvtables::kStpNoteGap);
        label->show();
        reach = std::max(reach, label->x() + label->width());
        above = label;
    }
    // The notes are wider than the editor they start under: the window grows
    // by what they reach beyond it, so they keep the editors' right margin
    // instead of being cut off.
    const int beyond = reach - (editor->x() + editor->width());
    if (beyond > 0)
        form.resize(form.width() + beyond, form.height());
    return label;
}

void BuildOn(TConfigForm& form, std::unique_ptr<KvSNMPRequest2Edits> binding, const PageCommand& command, int port)
{
    {
        // The request keeps its own copy; the temporary list goes.
        KvSNMPVarList list(command.variables, command.kind, command.keyCount);
        binding->request.variables = list;
    }
    if (command.instance)
        binding->request.variables.instance = command.instance;
    if (port > 0)
        binding->request.variables.AppendSuffix(std::to_string(port));

    switch (command.builder) {
    case PageBuilder::SetEditorPage:
        form.SetEditorPage(std::move(binding), command.layout);
        break;
    case PageBuilder::SetEditorPageFromList:
        form.SetEditorPageFromList(std::move(binding));
        break;
    case PageBuilder::SetListViewPage:
        form.SetListViewPage(std::move(binding), command.layout, command.rowOps);
        break;
    case PageBuilder::SetListViewPageFromList:
        form.SetListViewPageFromList(std::move(binding), command.rowOps);
        break;
    }

    ApplyAdjustments(form, command.adjust);

    if (command.special == PageSpecial::stpNotes)
        AddStpNotes(form);

    if (port > 0) {
        // The port number, fixed, in place of the port-index editor.
        UIEntryTable& entries = form.Entries();
        if (CountEntries(entries) > 0 && entries[0].editor) {
            QWidget* indexEditor = entries[0].editor;
            auto* edit = new QLineEdit(QString::number(port), indexEditor->parentWidget());
            edit->setObjectName(QString::fromLatin1(kPortEditName));
            edit->setGeometry(indexEditor->geometry());
            edit->setPalette(indexEditor->palette());
            edit->setEnabled(false);
            edit->show();
            indexEditor->hide();
            if (QLabel* label = entries[0].label; label && label->buddy() == indexEditor)
                label->setBuddy(edit);
        }
    }
}

std::unique_ptr<TConfigForm> BuildPage(const PageCommand& command, const std::string& pageTitle,
                                       const std::string& agentAddress, int port)
{
    auto form = std::make_unique<TConfigForm>(nullptr, pageTitle, agentAddress);
    auto binding = std::make_unique<KvSNMPRequest2Edits>(form.get());
    BuildOn(*form, std::move(binding), command, port);
    return form;
}

void OpenPage(TMainForm& mainForm, const PageCommand& command)
{
    mainForm.PageTitle = command.title;
    std::unique_ptr<TConfigForm> form = BuildPage(command, mainForm.PageTitle, mainForm.AgentAddress);
    ShowCentredModal(*form, &mainForm);
    form.reset();
    if (command.special == PageSpecial::rmonStateOnClose) {
        // The page's own close has run (the modal show returns only after
        // it); then the RMON state is read again.
        RereadRmonState(mainForm);
    }
}

void OpenPortPage(TMainForm& mainForm, const PageCommand& command, int port)
{
    mainForm.PageTitle = command.title;
    std::unique_ptr<TConfigForm> form = BuildPage(command, mainForm.PageTitle, mainForm.AgentAddress, port);
    ShowCentredModal(*form, &mainForm);
}

QLabel* RmonStateText(TMainForm& mainForm)
{
    if (auto* text = mainForm.findChild<QLabel*>(QStringLiteral("ST_RmonState")))
        return text;
    auto* text = new QLabel(&mainForm);
    text->setObjectName(QStringLiteral("ST_RmonState"));
    text->hide();
    return text;
}

void RereadRmonState(TMainForm& mainForm)
{
    try {
        RmonStateBinding*& holder = mainForm.RmonState;
        if (holder && !holder->text) {
            // The text it showed went away: bind the one there is now.
            delete holder;
            holder = nullptr;
        }
        if (!holder)
            holder = new RmonStateBinding(mainForm, RmonStateText(mainForm));
        holder->binding->Refresh(KvFlowRun::Blocking);
        const QString state = holder->text->text();
        if (MainMenu* menu = mainForm.Menu) {
            if (state == QLatin1String("disabled"))
                menu->SetRmonItemsEnabled(false);
            else if (state == QLatin1String("enabled"))
                menu->SetRmonItemsEnabled(true);
        }
    } catch (const std::exception& error) {
        if (mainForm.StatusPanel0)
            mainForm.StatusPanel0->setText(QString::fromStdString(error.what()));
    }
}

} // namespace pagecommands

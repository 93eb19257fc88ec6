#include "policynameprompt.h"

#include "dialogflags.h"
#include "messagebox.h"
#include "policynamecheck.h"
#include "precopypolicybase.h"

#include <QCoreApplication>

namespace {

void warn(QWidget *window, const char *text)
{
    MessageBox::warning(window, QCoreApplication::translate("prePolicySelection", "Tuvora - Alert"),
        QCoreApplication::translate("prePolicySelection", text),
        { QCoreApplication::translate("prePolicySelection", "OK") });
}

} // namespace

std::optional<QString> askPolicyName(QWidget *window, const PolicyNameCheck &names, bool trimBlanks)
{
    preCopyPolicyBase dialog(window, "preCopyPolicyBase", true, plainDialogFlags());
    for (;;) {
        if (dialog.exec() != QDialog::Accepted)
            return std::nullopt;
        const QString name = trimBlanks ? dialog.txtName->text().trimmed() : dialog.txtName->text();
        if (!names.isPolicyNameFree(name))
            warn(window, QT_TRANSLATE_NOOP("prePolicySelection", "There is another policy using this name."));
        else if (name.isEmpty())
            warn(window, QT_TRANSLATE_NOOP("prePolicySelection", "Please, inform a Name."));
        else
            return name;
    }
}

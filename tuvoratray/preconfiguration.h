#pragma once

#include "logsettings.h"
#include "preconfigurationbase.h"

// The tray's settings dialog: the administrator password, the policy server address
// and the log settings, loaded from the configuration when it opens and saved by OK.
// Opened unlocked (the tray's own unlocked Settings entry), the current password is not
// asked for: its field stays disabled and empty.
class preConfiguration : public preConfigurationBase
{
    Q_OBJECT

public:
    explicit preConfiguration(QWidget *parent = nullptr, bool unlocked = false);

    // 0 for the general settings, 1 for the log settings.
    int currentPage() const { return m_page; }

public slots:
    void onOptionSelected(QTreeWidgetItem *item) override;
    void onSaveClicked() override;
    void onHelpClicked() override;
    void onPasswordChange() override;

private:
    void showLogSettings(const LogSettings &settings);
    LogSettings logSettingsShown() const;

    int m_page = 0;
    bool m_passwordTouched = false;
    LogSettings m_loaded;
};

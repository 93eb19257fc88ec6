#pragma once

#include <QCoreApplication>
#include <QIcon>
#include <QString>

class QAction;
class QMenu;

// The tray's popup menu. Later steps address its entries by position, separators
// included: on a machine that enforces policies
//   0 "Policy Configuration", 1 -, 2 "Under Control Mode - Local Mode",
//   3 "Free of Control Mode", 4 -, 5 "View Log", 6 "Settings", 7 -, 8 "Help",
//   9 "About", 10 -, 11 "Exit";
// on a machine that publishes policies the mode entries, their separator and "View Log"
// are absent and the rest move up. The entry of the current control mode carries the
// mode image, the other mode entry an empty icon.
class TrayMenu
{
    Q_DECLARE_TR_FUNCTIONS(preTrayIcon)

public:
    enum Position { PolicyConfigurationEntry = 0, UnderControlEntry = 2, FreeOfControlEntry = 3 };
    enum class ModeWord { Local, Network, Teacher };

    // Fills the menu; its texts are those of the translation context preTrayIcon.
    TrayMenu(QMenu *menu, bool enforcing, const QIcon &modeImage);

    QMenu *menu() const { return m_menu; }
    // The entry at a position, null past the end.
    QAction *at(int position) const;

    QAction *policyConfiguration = nullptr;
    QAction *underControl = nullptr; // null on a machine that publishes policies
    QAction *freeOfControl = nullptr; // likewise
    QAction *viewLog = nullptr; // likewise
    QAction *settings = nullptr;
    QAction *help = nullptr;
    QAction *about = nullptr;
    QAction *exit = nullptr;

    // "Under Control Mode" - "Local Mode" (or the other words), as position 2 reads.
    static QString underControlText(ModeWord word);

    // Free of control: the image on position 3, position 2 reads the local mode.
    void showFreeOfControl();
    // Under control: the image on position 2, which reads the given mode word.
    void showUnderControl(ModeWord word);
    // A school policy is in force: under control, network; 0, 2 and 3 disabled.
    void showNetworkMode();
    // A teacher policy is in force: position 2 reads the teacher mode, its image kept;
    // 0 and 3 disabled.
    void showTeacherMode();
    // Back to the local policy: position 2 reads the local mode, its image kept;
    // 0, 2 and 3 enabled.
    void showLocalModeAgain();

private:
    void setModeEntriesEnabled(bool enabled);

    QMenu *m_menu;
    QIcon m_modeImage;
};

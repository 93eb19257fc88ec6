#pragma once

#include <QTextBrowser>

// The help viewer's HTML pane. It never follows a link itself: it reports the link
// text exactly as the page has it (QTextBrowser would hand out a URL resolved against
// the current page).
class HelpBrowser : public QTextBrowser
{
    Q_OBJECT

public:
    explicit HelpBrowser(QWidget *parent = nullptr);

signals:
    void linkClicked(const QString &link);

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void onAnchorClicked(const QUrl &url);

    QString m_pressedAnchor;
    QString m_activatedAnchor;
};

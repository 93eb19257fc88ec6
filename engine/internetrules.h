#pragma once

#include <QStringList>

struct InternetRules
{
    int ageRange = 0;
    int listType = 0; // 0: black list (urls are blocked); otherwise white list (only urlsWhite reachable)
    QStringList urls; // blocked domains, in file order, duplicates kept
    QStringList urlsWhite; // allowed domains for the white-list mode
    QStringList content; // words and phrases that block a page

    bool isWhiteList() const { return listType != 0; }
    bool operator==(const InternetRules &) const = default;
};

#pragma once

#include <QString>
#include <QStringList>

namespace hov::links {

// The program's web addresses, kept here alone. Only the paths of the help page and
// of the software list are fixed; the hosts are ours to choose.
inline const QString kSite = QStringLiteral("https://hov480.example.com");
inline const QString kShop = QStringLiteral("https://shop.hov480.example.com");
inline const QString kStore = QStringLiteral("https://store.hov480.example.com");
inline const QString kDiscussions = kSite + QStringLiteral("/discussions.html");
inline const QString kSoftwareList = kSite + QStringLiteral("/Soft/soft-list2.pdf");
inline const QString kChannelName = QStringLiteral("@hov480news");
// The handle inside Persian text, kept whole as a left-to-right run ("@" in front).
inline QString isolatedChannelName() {
    return QChar(0x2066) + kChannelName + QChar(0x2069);
}
inline const QString kChannel = QStringLiteral("https://t.me/hov480news");
inline const QString kEmail = QStringLiteral("info@hov480.example.com");
// The update server's address: update/updateserver.h (update-server.txt may replace it).

// Calculators tried in turn for the calculator button.
inline const QStringList kCalculators{QStringLiteral("gnome-calculator"), QStringLiteral("kcalc"),
                                      QStringLiteral("galculator"), QStringLiteral("mate-calc"),
                                      QStringLiteral("xcalc"), QStringLiteral("calc.exe")};

} // namespace hov::links

#include "ui/settings/settingspanels.h"

#include "data/bidi.h"
#include "ui/kit/services.h"
#include "ui/settings/clinicprofilepanel.h"
#include "ui/settings/itemeditorpanel.h"
#include "ui/settings/settingspanel.h"
#include "ui/settings/themepanel.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPushButton>
#include <QWidget>

namespace hov {

SettingsPanels::SettingsPanels(const AppFolder& folder, QWidget* host)
    : QObject(host), folder_(folder), host_(host) {
    Frame8 = new SettingsPanel(folder, host);
    Frame9 = new ClinicProfilePanel(folder, host);
    Frame6 = new ThemePanel(folder, host);
    Frame1 = new ItemEditorPanel(folder, host);

    connect(Frame8->Command69, &QPushButton::clicked, this, &SettingsPanels::closePanelsRequested);
    connect(Frame8->Command67, &QPushButton::clicked, this, &SettingsPanels::openProfile);
    connect(Frame8->Command68, &QPushButton::clicked, this, &SettingsPanels::openThemes);
    connect(Frame8->Cmndedit, &QPushButton::clicked, this, &SettingsPanels::openItemEditor);
    connect(Frame8->Command65, &QPushButton::clicked, this, &SettingsPanels::chooseLogo);
    connect(Frame9, &ClinicProfilePanel::subjectTermEdited, this,
            &SettingsPanels::subjectTermEdited);
    connect(Frame9, &ClinicProfilePanel::clinicNameShown, this, &SettingsPanels::clinicNameShown);
    connect(Frame9, &ClinicProfilePanel::saved, this, &SettingsPanels::profileSaved);
}

void SettingsPanels::hideAll() {
    for (QWidget* panel : std::initializer_list<QWidget*>{Frame1, Frame6, Frame8, Frame9})
        panel->hide();
}

void SettingsPanels::openSettings() {
    Frame8->open();
}

void SettingsPanels::openProfile() {
    emit closePanelsRequested();
    Frame8->open();
    Frame9->open();
}

void SettingsPanels::openThemes() {
    emit closePanelsRequested();
    Frame8->open();
    Frame6->open();
}

void SettingsPanels::openItemEditor() {
    emit closePanelsRequested();
    Frame8->open();
    Frame1->open();
}

void SettingsPanels::chooseLogo() {
    emit closePanelsRequested();
    Frame8->open();
    const QString path = dialogs().openFileName(host_, QString(), QString());
    if (path.isEmpty())
        return;
    auto refuse = [this](const QString& why) {
        dialogs().message(host_, QStringLiteral("توجه"), why, Dialogs::Icon::Warning);
    };
    const QString name = isolated(QFileInfo(path).fileName());
    if (QFileInfo(path).size() > kMaxLogoBytes) {
        refuse(QStringLiteral("فايل %1 بزرگ تر از 10 مگابايت است؛ آرم تغيير نکرد. تصوير کوچک تري انتخاب کنيد.")
                   .arg(name));
        return;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        // The system's own (English) words are the details.
        dialogs().error(host_, QStringLiteral("توجه"),
                        QStringLiteral("فايل %1 باز نشد؛ آرم تغيير نکرد.").arg(name),
                        file.errorString(), Dialogs::Icon::Warning);
        return;
    }
    // Read once: the bytes checked as a picture are the bytes stored.
    const QByteArray bytes = file.read(kMaxLogoBytes + 1);
    if (bytes.size() > kMaxLogoBytes) {
        refuse(QStringLiteral("فايل %1 بزرگ تر از 10 مگابايت است؛ آرم تغيير نکرد. تصوير کوچک تري انتخاب کنيد.")
                   .arg(name));
        return;
    }
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    if (reader.read().isNull()) {
        refuse(QStringLiteral("فايل %1 تصوير نيست يا خراب است؛ آرم تغيير نکرد.").arg(name));
        return;
    }
    SettingsDb db(folder_);
    if (!db.storeLogo(bytes)) {
        showStoreFailure(host_, QStringLiteral("خطا"), QStringLiteral("آرم ذخيره نشد."), db.lastFailure());
        return;
    }
    Frame8->showLogo(bytes);
    dialogs().message(host_, QStringLiteral("توجه"), QStringLiteral(" لوگو ذخيره شد"),
                      Dialogs::Icon::Information);
}

} // namespace hov

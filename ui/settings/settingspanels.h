#pragma once

#include "data/appfolder.h"
#include "data/settingsdb.h"

#include <QObject>

class QWidget;

namespace hov {

class SettingsPanel;
class ClinicProfilePanel;
class ThemePanel;
class ItemEditorPanel;

// The four settings panels of the main window and the ways between them. The main window
// shows them in its own area, closes them with its other panels, and hears through the
// signals what it must show anew.
class SettingsPanels : public QObject {
    Q_OBJECT
public:
    SettingsPanels(const AppFolder& folder, QWidget* host);

    // "تنظيمات": the settings panel alone (the host has closed its panels first).
    void openSettings();
    void hideAll();

    // The logo file larger than this is refused: every window that shows the logo reads it.
    static constexpr qint64 kMaxLogoBytes = 10 * 1024 * 1024;

    SettingsPanel* Frame8 = nullptr;
    ClinicProfilePanel* Frame9 = nullptr;
    ThemePanel* Frame6 = nullptr;
    ItemEditorPanel* Frame1 = nullptr;

signals:
    // The host is to close all its panels, these among them.
    void closePanelsRequested();
    void subjectTermEdited(const QString& term);
    void clinicNameShown(const QString& name);
    void profileSaved(const ClinicSettings& settings);

private:
    void openProfile();
    void openThemes();
    void openItemEditor();
    void chooseLogo();

    AppFolder folder_;
    QWidget* host_;
};

} // namespace hov

#include "ui/main/profilehandover.h"

#include "ui/profile/frmnemudar.h"
#include "ui/scoring/frmklid.h"

namespace hov {

namespace {

ProfileHandOver handOverOf(const FrmkLID& scoring) {
    const ScoringResult result = scoring.result();
    ProfileHandOver h;
    h.subject = result.subject;
    h.unanswered = result.unanswered;
    h.yes = result.yes;
    h.no = result.no;
    for (int i = 0; i < kScaleCount; ++i)
        h.rawScores[static_cast<size_t>(i)] = result.rawScoreText(i);
    h.clinicName = scoring.clinicName();
    h.clinicAddress = scoring.clinicAddress();
    h.clinicLogo = scoring.clinicLogo();
    h.printLogo = scoring.printLogo();
    return h;
}

} // namespace

FrmNemudar* openProfileWindow(FrmkLID* scoring) {
    return scoring->findChild<FrmNemudar*>(QString(), Qt::FindDirectChildrenOnly);
}

void connectProfileWindow(FrmkLID* scoring, const AppFolder& folder) {
    QObject::connect(scoring, &FrmkLID::chartRequested, scoring, [scoring, folder] {
        FrmNemudar* profile = openProfileWindow(scoring);
        if (!profile) {
            profile = new FrmNemudar(folder, scoring);
            QObject::connect(profile, &FrmNemudar::closed, scoring, [scoring] {
                scoring->show();
                scoring->raise();
                scoring->activateWindow();
            });
        }
        profile->handOver(handOverOf(*scoring));
        profile->show();
        profile->raise();
        profile->activateWindow();
    });
}

} // namespace hov

#pragma once

#include "data/appfolder.h"

namespace hov {

class FrmkLID;
class FrmNemudar;

// "رسم نمودار" of the scoring window opens the profile window with the result of the last
// computation; a profile window already open takes the new result. The profile window
// belongs to the scoring window, which stays usable underneath and comes back to the front
// when the profile window closes.
void connectProfileWindow(FrmkLID* scoring, const AppFolder& folder);

// The scoring window's open profile window, if any.
FrmNemudar* openProfileWindow(FrmkLID* scoring);

} // namespace hov

#pragma once

// X sends a release before every auto-repeated press; Qt tells it from a real release only
// when the press is already waiting in its queue, so a held key could look like many taps.
// Asks the X server to send the repeated presses alone (XKB's detectable auto-repeat); no
// effect on other platforms or servers without XKB.
void RequestDetectableAutoRepeat();

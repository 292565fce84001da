#pragma once

// The short warning tone for a rejected keystroke.
void KvBeep();

#pragma once

// Waits msec milliseconds in a nested event loop: every event (link data, timers,
// operator input) keeps being processed while it waits.
void Delay_MSec(unsigned int msec);

// How many such waits are running now (nested ones count each): a multi-line sequence
// is between its lines while this is above zero.
int Delay_MSecDepth();

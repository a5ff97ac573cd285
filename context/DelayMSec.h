#pragma once

// Waits msec milliseconds in a nested event loop: every event (link data, timers,
// operator input) keeps being processed while it waits.
void Delay_MSec(unsigned int msec);

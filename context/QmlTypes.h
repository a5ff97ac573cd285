#pragma once

// Registers the QML types of the panel (the "Tessaro" module with its "Models"
// singleton) and the value types the context carries. Safe to call more than once.
void registerTessaroQmlTypes();

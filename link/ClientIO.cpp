#include "ClientIO.h"

ClientIO::ClientIO(QObject *parent) : QObject(parent) {}

ClientIO::~ClientIO() = default;

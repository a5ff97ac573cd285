#include "SimAdvanced.h"

#include "ModelCatalogue.h"

QString SimAdvanced::defaultOutResolution(const QString &model)
{
    if (ModelCatalogue::inGroup(model, ModelCatalogue::Group::OutputResolution))
        return QStringLiteral("1");
    return QStringLiteral("5");
}

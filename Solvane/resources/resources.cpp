#include "resources.h"

#include <QtGlobal>

void initializeImages()
{
    Q_INIT_RESOURCE(images);
}

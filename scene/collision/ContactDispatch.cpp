#include "scene/collision/ContactDispatch.h"

#include "scene/SceneObject.h"

namespace vantor::scene::collision {

void dispatchContact(void* firstUserPointer, void* secondUserPointer)
{
    if (firstUserPointer == nullptr || secondUserPointer == nullptr)
        return;
    auto* first = static_cast<SceneObject*>(firstUserPointer);
    auto* second = static_cast<SceneObject*>(secondUserPointer);
    second->collideWith(first);
}

} // namespace vantor::scene::collision

#include "game/Physics.h"

#include "scene/collision/ContactDispatch.h"

#include <btBulletDynamicsCommon.h>

void processContacts(btDynamicsWorld* world)
{
    btDispatcher* dispatcher = world->getDispatcher();
    int manifoldCount = dispatcher->getNumManifolds();
    for (int i = 0; i < manifoldCount; ++i) {
        btPersistentManifold* manifold = dispatcher->getManifoldByIndexInternal(i);
        int contactCount = manifold->getNumContacts();
        for (int j = 0; j < contactCount; ++j) {
            if (manifold->getContactPoint(j).getDistance() < 0.0f) {
                vantor::scene::collision::dispatchContact(manifold->getBody0()->getUserPointer(),
                                                          manifold->getBody1()->getUserPointer());
                break;
            }
        }
    }
}

#pragma once

class btDynamicsWorld;

// Tells the scene about this step's contacts: for every contact manifold with a
// penetrating point (distance below 0), the object of its second body calls back the
// handler of its first body's object, once per manifold. Bodies without a scene object
// (the ground plane) take no part.
void processContacts(btDynamicsWorld* world);

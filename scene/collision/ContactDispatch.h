#pragma once

namespace vantor::scene::collision {

// Delivers one touching pair of physics bodies to the scene: the user pointers of the
// pair's first and second body (each a SceneObject, or null for bodies outside the scene
// such as the ground plane). Calls second->collideWith(first), so only the first object
// receives a handler call; a pair with a null side is ignored.
void dispatchContact(void* firstUserPointer, void* secondUserPointer);

} // namespace vantor::scene::collision

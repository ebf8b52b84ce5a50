#include "scene/CollectedIngredients.h"

#include "scene/Ingredient.h"

#include <glm/gtc/matrix_transform.hpp>

std::vector<vantor::scene::Ingredient*> collectedIngredients;

void animateCollectedIngredients(std::vector<vantor::scene::Ingredient*>& items, const glm::vec3& heroPosition,
                                 float deltaTime)
{
    for (auto it = items.begin(); it != items.end();) {
        vantor::scene::Ingredient* item = *it;
        item->rise += 1.5f * deltaTime;
        glm::mat4 matrix = glm::translate(glm::mat4(1.0f), heroPosition + glm::vec3(0.0f, item->rise, 0.0f));
        item->spinAngle += 4.0f * deltaTime;
        matrix = glm::rotate(matrix, item->spinAngle, glm::vec3(0.0f, 1.0f, 0.0f));
        item->scale -= 0.5f * deltaTime;
        item->modelMatrix = glm::scale(matrix, glm::vec3(item->scale));
        item->alpha -= 0.1f * deltaTime;
        if (item->alpha < 0.0f)
            item->alpha = 0.0f;

        if (item->modelMatrix[3][1] > 7.0f || item->scale < -0.001f) {
            // A replay put this item back on the course while it was still floating away:
            // now that the animation is over, it stands where it belongs again.
            if (!item->collected)
                restoreToCourse(item);
            it = items.erase(it); // the next item still gets its step this frame
        } else {
            ++it;
        }
    }
}

void restoreToCourse(vantor::scene::Ingredient* item)
{
    item->collected = false;
    item->modelMatrix = item->initialModelMatrix;
    item->rise = 0.0f;
    item->scale = 1.0f;
    item->spinAngle = 0.0f;
    item->alpha = 1.0f;
}

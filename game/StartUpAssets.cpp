#include "game/StartUpAssets.h"

using vantor::scene::ModelKind;

const StartUpAssetFile startUpAssetFiles[startUpAssetCount] = {
    {"../Models/hero.dae", ModelKind::Textured},
    {"../Models/straightwall.dae", ModelKind::Wall},
    {"../Models/endwall.dae", ModelKind::Wall},
    {"../Models/curvewall.dae", ModelKind::Wall},
    {"../Models/Gitter.dae", ModelKind::Textured},
    {"../Models/Rolle.dae", ModelKind::Textured},
    {"../Models/Holzbarrikade.dae", ModelKind::Textured},
    {"../Models/Sandhaufen.dae", ModelKind::Textured},
    {"../Models/Banana.dae", ModelKind::Textured},
    {"../Models/apple.dae", ModelKind::Textured},
    {"../Models/skybox/boxNormal.dae", ModelKind::Sky},
    {"../Models/font.png", std::nullopt}, // 16 x 16 glyphs
};

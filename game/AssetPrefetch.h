#pragma once

// The start-up's models and images, read ahead on a worker thread while the main thread
// opens the window, makes the context and builds the programs. The main thread still
// takes every asset in, creates its GL objects and prints its lines in the order of a
// start-up without the worker (see Prefetch), so the log and every failure read the same.

// Starts reading the hero, the course's models and the sky box (with the images their
// materials name) and decoding the font atlas, in the order Game::init loads them. The
// results wait in prefetchedModels and prefetchedImages.
void startPrefetchingAssets();

// Waits for the worker to end and forgets whatever the start-up did not take. The queues'
// `missed` and `unused` counts then tell whether the list above matched Game::init (both
// 0); they start again from 0 with the next start.
void finishPrefetchingAssets();

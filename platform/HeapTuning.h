#pragma once

// Keeps the memory the process frees at the top of its heap instead of handing it back to
// the system at once. The software renderer allocates and frees several megabytes of
// working buffers every frame; returned each time, they come back as fresh pages that the
// kernel must fault in and zero, which cost more than a third of a frame.
void keepFreedHeapMemory();

// Hands back to the system what the heaps hold free once, after the loading: the loading
// worker's heap arena, which no other thread allocates from, keeps the models and images
// it decoded and freed resident for the whole run otherwise.
void returnFreedHeapMemory();

#pragma once
#include "course/CourseRoute.h"

// Small courses for tests, written as the course pack and the generated courses are: see
// course/CourseRoute.h for the route notation.
using vantor::scene::CourseStep;
using vantor::scene::courseText;

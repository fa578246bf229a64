#pragma once

#include <functional>

class QString;
struct Problem;

// Told of each answer found wrong as soon as it is found: the problem and
// the child's answer as typed (empty for an exam box left blank). The shell
// keeps them in the 错题本.
using MissListener = std::function<void(const Problem &problem, const QString &answer)>;

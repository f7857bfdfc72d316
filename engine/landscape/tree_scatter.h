// Tree placement over the colour classes (called as the last step of colouring).
#pragma once

// Scatters trees over the ground classes by tree class. Placeholder until tree placement is built.
void scatter_trees();

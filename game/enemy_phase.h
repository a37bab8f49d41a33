// The enemies' half of a turn: each living enemy moves and strikes or
// defends, then the battle's end is tested and the next turn opens.
#pragma once

void Enemy_Phase();

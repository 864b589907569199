// world_pending.h -- routines the region loader calls whose own modules come with later work. Until
// then they do nothing; each module that brings the real routine removes its entry here.
#pragma once

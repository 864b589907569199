// sim_placeholder.cpp -- keeps the simulator library non-empty until its first module lands.
void kv_simcore_placeholder(void) {}

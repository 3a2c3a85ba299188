# Sourced: every time limit of the scripts, in seconds, in one place. Each is
# the default of the HQ_* setting named beside it (README, "Settings").
hq_limit_program=600        # HQ_TIMEOUT: one Windows program run by wine-run.sh alone
hq_limit_session=1800       # HQ_TIMEOUT in a test session here: one test program at full depth
                            #   (the fault sweeps take five to fifteen minutes)
hq_limit_vm_program=2400    # HQ_TIMEOUT in the test VM: one test program, emulated
hq_limit_vm_run=5400        # HQ_VM_TIMEOUT: one whole run of the test VM

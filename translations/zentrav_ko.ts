<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ko" sourcelanguage="en">
<context>
    <name></name>
    <message id="menu_about">
        <source>About Zentrav</source>
        <translation>Zentrav 정보</translation>
    </message>
    <message id="menu_hide">
        <source>Hide Zentrav</source>
        <translation>Zentrav 숨기기</translation>
    </message>
    <message id="menu_hide_others">
        <source>Hide Others</source>
        <translation>기타 숨기기</translation>
    </message>
    <message id="menu_show_all">
        <source>Show All</source>
        <translation>모두 보기</translation>
    </message>
    <message id="menu_quit">
        <source>Quit Zentrav</source>
        <translation>Zentrav 종료</translation>
    </message>
    <message id="menu_edit">
        <source>Edit</source>
        <translation>편집</translation>
    </message>
    <message id="menu_cut">
        <source>Cut</source>
        <translation>잘라내기</translation>
    </message>
    <message id="menu_copy">
        <source>Copy</source>
        <translation>복사</translation>
    </message>
    <message id="menu_paste">
        <source>Paste</source>
        <translation>붙여넣기</translation>
    </message>
    <message id="menu_select_all">
        <source>Select All</source>
        <translation>모두 선택</translation>
    </message>
    <message id="menu_window">
        <source>Window</source>
        <translation>창</translation>
    </message>
    <message id="menu_minimize">
        <source>Minimize</source>
        <translation>최소화</translation>
    </message>
    <message id="menu_close">
        <source>Close</source>
        <translation>닫기</translation>
    </message>
    <message id="version_format">
        <source>Version %s (%s)</source>
        <translation>버전 %s (%s)</translation>
    </message>
    <message id="copyright">
        <source>Copyright © 2026 Zentrav. All rights reserved.</source>
        <translation>Copyright © 2026 Zentrav. All rights reserved.</translation>
    </message>
    <message id="stopped">
        <source>Stopped</source>
        <translation>중지됨</translation>
    </message>
    <message id="monitoring_count" numerus="yes">
        <source>Monitoring %n entries</source>
        <translation>
            <numerusform>%n개 항목 감시 중</numerusform>
        </translation>
    </message>
    <message id="start">
        <source>Start</source>
        <translation>시작</translation>
    </message>
    <message id="stop">
        <source>Stop</source>
        <translation>중지</translation>
    </message>
    <message id="scan_every">
        <source>Scan every</source>
        <translation>검사 간격</translation>
    </message>
    <message id="clean_memory">
        <source>Clean Memory</source>
        <translation>메모리 정리</translation>
    </message>
    <message id="targets_tab">
        <source>Watch List</source>
        <translation>감시 목록</translation>
    </message>
    <message id="browse_all_tab">
        <source>All Processes</source>
        <translation>모든 프로세스</translation>
    </message>
    <message id="input_placeholder">
        <source>Process name to watch</source>
        <translation>감시할 프로세스 이름</translation>
    </message>
    <message id="search_placeholder">
        <source>Search processes</source>
        <translation>프로세스 검색</translation>
    </message>
    <message id="add_button">
        <source>Add</source>
        <translation>추가</translation>
    </message>
    <message id="no_processes_added">
        <source>No processes added yet</source>
        <translation>추가된 프로세스가 없습니다</translation>
    </message>
    <message id="process_count" numerus="yes">
        <source>%n processes</source>
        <translation>
            <numerusform>프로세스 %n개</numerusform>
        </translation>
    </message>
    <message id="kill_log">
        <source>Kill Log</source>
        <translation>종료 기록</translation>
    </message>
    <message id="no_kills_yet">
        <source>No processes terminated yet</source>
        <translation>아직 종료된 프로세스가 없습니다</translation>
    </message>
    <message id="export_log">
        <source>Export Logs</source>
        <translation>기록 내보내기</translation>
    </message>
    <message id="clear_log">
        <source>Clear Logs</source>
        <translation>기록 지우기</translation>
    </message>
    <message id="launch_at_login">
        <source>Launch at Login</source>
        <translation>로그인 시 실행</translation>
    </message>
    <message id="export_targets">
        <source>Export Watch List…</source>
        <translation>감시 목록 내보내기…</translation>
    </message>
    <message id="import_targets">
        <source>Import Watch List…</source>
        <translation>감시 목록 가져오기…</translation>
    </message>
    <message id="export_all_title">
        <source>Export All Logs</source>
        <translation>모든 기록 내보내기</translation>
    </message>
    <message id="msg_killed">
        <source>Terminated</source>
        <translation>종료됨</translation>
    </message>
    <message id="msg_force_killed">
        <source>Force killed</source>
        <translation>강제 종료됨</translation>
    </message>
    <message id="msg_already_exited">
        <source>Already exited</source>
        <translation>이미 종료됨</translation>
    </message>
    <message id="msg_no_permission">
        <source>No permission</source>
        <translation>권한 없음</translation>
    </message>
    <message id="msg_failed">
        <source>Failed (error %d)</source>
        <translation>실패 (오류 %d)</translation>
    </message>
    <message id="settings_button">
        <source>Settings</source>
        <translation>설정</translation>
    </message>
    <message id="a11y_enabled">
        <source>Enabled: %s</source>
        <translation>사용: %s</translation>
    </message>
    <message id="a11y_remove">
        <source>Remove %s</source>
        <translation>%s 삭제</translation>
    </message>
    <message id="a11y_watch">
        <source>Watch %s</source>
        <translation>%s 감시</translation>
    </message>
    <message id="a11y_watched">
        <source>%s is on the watch list</source>
        <translation>%s은(는) 감시 목록에 있습니다</translation>
    </message>
    <message id="a11y_fuzzy">
        <source>Fuzzy match</source>
        <translation>부분 일치</translation>
    </message>
    <message id="a11y_exact">
        <source>Exact match</source>
        <translation>정확히 일치</translation>
    </message>
    <message id="tip_fuzzy">
        <source>Matches every process whose name contains this text, ignoring case</source>
        <translation>이름에 이 텍스트가 포함된 모든 프로세스와 일치합니다(대소문자 구분 안 함)</translation>
    </message>
    <message id="tip_exact">
        <source>Matches only a process with exactly this name</source>
        <translation>이름이 정확히 같은 프로세스와만 일치합니다</translation>
    </message>
    <message id="a11y_origin_system">
        <source>System process</source>
        <translation>시스템 프로세스</translation>
    </message>
    <message id="a11y_origin_own">
        <source>Your process</source>
        <translation>내 프로세스</translation>
    </message>
    <message id="a11y_origin_unknown">
        <source>Unknown origin</source>
        <translation>출처 알 수 없음</translation>
    </message>
    <message id="tip_origin_system">
        <source>SYS: runs as another user, such as root</source>
        <translation>SYS: root 등 다른 사용자로 실행 중</translation>
    </message>
    <message id="tip_origin_own">
        <source>3RD: runs as you</source>
        <translation>3RD: 내 사용자로 실행 중</translation>
    </message>
    <message id="a11y_filter_all">
        <source>Show all processes</source>
        <translation>모든 프로세스 보기</translation>
    </message>
    <message id="a11y_filter_system">
        <source>Show system processes</source>
        <translation>시스템 프로세스 보기</translation>
    </message>
    <message id="a11y_filter_own">
        <source>Show your processes</source>
        <translation>내 프로세스 보기</translation>
    </message>
    <message id="a11y_status_on">
        <source>Monitoring is on</source>
        <translation>감시 켜짐</translation>
    </message>
    <message id="a11y_status_off">
        <source>Monitoring is off</source>
        <translation>감시 꺼짐</translation>
    </message>
    <message id="a11y_self_memory">
        <source>Memory used by Zentrav: %s</source>
        <translation>Zentrav 메모리 사용량: %s</translation>
    </message>
    <message id="tip_self_memory">
        <source>Memory Zentrav itself is using</source>
        <translation>Zentrav 자체가 사용 중인 메모리</translation>
    </message>
    <message id="tip_clean_memory">
        <source>Saves the kill log to disk and gives memory Zentrav no longer needs back to the system</source>
        <translation>종료 기록을 디스크에 저장하고 Zentrav에 더 이상 필요 없는 메모리를 시스템에 돌려줍니다</translation>
    </message>
    <message id="a11y_memory">
        <source>Memory: %s</source>
        <translation>메모리: %s</translation>
    </message>
    <message id="a11y_kill_ok">
        <source>Succeeded</source>
        <translation>성공</translation>
    </message>
    <message id="a11y_kill_failed">
        <source>Failed</source>
        <translation>실패</translation>
    </message>
    <message id="a11y_interval" numerus="yes">
        <source>Every %n seconds</source>
        <translation>
            <numerusform>%n초마다</numerusform>
        </translation>
    </message>
    <message id="a11y_split">
        <source>Lists and kill log</source>
        <translation>목록과 종료 기록</translation>
    </message>
    <message id="a11y_menu_bar">
        <source>Main menu</source>
        <translation>주 메뉴</translation>
    </message>
    <message id="preview_matches" numerus="yes">
        <source>Matches %n running processes: %s</source>
        <translation>
            <numerusform>실행 중인 프로세스 %n개와 일치: %s</numerusform>
        </translation>
    </message>
    <message id="preview_no_match">
        <source>Matches no running process</source>
        <translation>일치하는 실행 중인 프로세스 없음</translation>
    </message>
    <message id="preview_left_alone" numerus="yes">
        <source>(%n session processes left alone)</source>
        <translation>
            <numerusform>(세션 프로세스 %n개는 그대로 둠)</numerusform>
        </translation>
    </message>
    <message id="tip_session_process">
        <source>Part of your session: Zentrav leaves it alone</source>
        <translation>세션의 일부입니다. Zentrav가 종료하지 않습니다</translation>
    </message>
    <message id="notice_targets_exported" numerus="yes">
        <source>Exported %n entries to %s</source>
        <translation>
            <numerusform>%n개 항목을 %s(으)로 내보냈습니다</numerusform>
        </translation>
    </message>
    <message id="notice_logs_exported" numerus="yes">
        <source>Exported %n kill-log entries to %s</source>
        <translation>
            <numerusform>기록 %n건을 %s(으)로 내보냈습니다</numerusform>
        </translation>
    </message>
    <message id="notice_watch_list_empty">
        <source>The watch list is empty: nothing to export</source>
        <translation>감시 목록이 비어 있어 내보낼 항목이 없습니다</translation>
    </message>
    <message id="notice_kill_log_empty">
        <source>The kill log is empty: nothing to export</source>
        <translation>기록이 비어 있어 내보낼 항목이 없습니다</translation>
    </message>
    <message id="notice_export_failed">
        <source>Could not export to %1$s: %2$s</source>
        <translation>%1$s(으)로 내보내지 못했습니다: %2$s</translation>
    </message>
    <message id="notice_imported" numerus="yes">
        <source>Imported %n entries</source>
        <translation>
            <numerusform>%n개 항목을 가져왔습니다</numerusform>
        </translation>
    </message>
    <message id="notice_also_listed" numerus="yes">
        <source>; %n were already listed</source>
        <translation>
            <numerusform> (%n개는 이미 목록에 있음)</numerusform>
        </translation>
    </message>
    <message id="notice_all_listed" numerus="yes">
        <source>Nothing imported: all %n entries were already listed</source>
        <translation>
            <numerusform>가져온 항목 없음: %n개 항목이 모두 이미 목록에 있습니다</numerusform>
        </translation>
    </message>
    <message id="notice_import_empty">
        <source>Nothing imported: %s lists no entries</source>
        <translation>가져온 항목 없음: %s에 항목이 없습니다</translation>
    </message>
    <message id="notice_import_unreadable">
        <source>Nothing imported: %s could not be read</source>
        <translation>가져오지 못했습니다: %s을(를) 읽을 수 없습니다</translation>
    </message>
    <message id="notice_import_invalid">
        <source>Nothing imported: %s is not a Zentrav watch list</source>
        <translation>가져오지 못했습니다: %s은(는) Zentrav 감시 목록이 아닙니다</translation>
    </message>
    <message id="notice_settings_not_saved">
        <source>The watch list could not be saved; Zentrav keeps trying</source>
        <translation>감시 목록을 저장하지 못했습니다. Zentrav가 다시 시도합니다</translation>
    </message>
    <message id="notice_day_file_refused">
        <source>Could not write %1$s; its entries go to %2$s</source>
        <translation>%1$s에 쓸 수 없어 %2$s에 기록합니다</translation>
    </message>
    <message id="notice_log_not_saved" numerus="yes">
        <source>%n kill-log entries could not be saved; Zentrav keeps trying</source>
        <translation>
            <numerusform>기록 %n건을 저장하지 못했습니다. Zentrav가 다시 시도합니다</numerusform>
        </translation>
    </message>
    <message id="notice_logs_trashed" numerus="yes">
        <source>Moved %n day files to the trash</source>
        <translation>
            <numerusform>일별 기록 파일 %n개를 휴지통으로 옮겼습니다</numerusform>
        </translation>
    </message>
    <message id="notice_also_deleted" numerus="yes">
        <source>; %n deleted, as they could not go to the trash</source>
        <translation>
            <numerusform> (휴지통으로 옮길 수 없는 %n개는 삭제)</numerusform>
        </translation>
    </message>
    <message id="notice_logs_deleted" numerus="yes">
        <source>Deleted %n day files (there is no trash here)</source>
        <translation>
            <numerusform>일별 기록 파일 %n개를 삭제했습니다(휴지통 없음)</numerusform>
        </translation>
    </message>
    <message id="notice_logs_none">
        <source>There are no saved kill-log entries to clear</source>
        <translation>지울 저장된 기록이 없습니다</translation>
    </message>
    <message id="notice_logs_restored" numerus="yes">
        <source>Restored %n day files</source>
        <translation>
            <numerusform>일별 기록 파일 %n개를 복원했습니다</numerusform>
        </translation>
    </message>
    <message id="notice_not_restored" numerus="yes">
        <source>; %n could not be restored</source>
        <translation>
            <numerusform> (%n개는 복원하지 못함)</numerusform>
        </translation>
    </message>
    <message id="notice_undo">
        <source>Undo</source>
        <translation>실행 취소</translation>
    </message>
    <message id="a11y_dismiss">
        <source>Dismiss</source>
        <translation>닫기</translation>
    </message>
    <message id="kill_log_saved">
        <source>Earlier entries are saved in the day files</source>
        <translation>이전 기록은 일별 파일에 저장되어 있습니다</translation>
    </message>
    <message id="kill_log_unsaved" numerus="yes">
        <source>%n earlier entries are not saved yet; Zentrav keeps trying</source>
        <translation>
            <numerusform>이전 기록 %n건이 아직 저장되지 않았습니다. Zentrav가 다시 시도합니다</numerusform>
        </translation>
    </message>
    <message id="menu_kill_history">
        <source>Kill History…</source>
        <translation>종료 내역…</translation>
    </message>
    <message id="history_title">
        <source>Kill History</source>
        <translation>종료 내역</translation>
    </message>
    <message id="history_search">
        <source>Search by process name</source>
        <translation>프로세스 이름으로 검색</translation>
    </message>
    <message id="history_today">
        <source>Today</source>
        <translation>오늘</translation>
    </message>
    <message id="history_7_days">
        <source>7 Days</source>
        <translation>7일</translation>
    </message>
    <message id="history_30_days">
        <source>30 Days</source>
        <translation>30일</translation>
    </message>
    <message id="history_all">
        <source>All</source>
        <translation>전체</translation>
    </message>
    <message id="history_export">
        <source>Export…</source>
        <translation>내보내기…</translation>
    </message>
    <message id="history_export_tip">
        <source>Save the entries shown as one JSON file</source>
        <translation>표시된 항목을 JSON 파일 하나로 저장합니다</translation>
    </message>
    <message id="history_export_title">
        <source>Export Kill Log Entries Shown</source>
        <translation>표시된 종료 기록 내보내기</translation>
    </message>
    <message id="history_entries">
        <source>Kill log entries</source>
        <translation>종료 기록 항목</translation>
    </message>
    <message id="history_totals">
        <source>Totals per process</source>
        <translation>프로세스별 합계</translation>
    </message>
    <message id="history_chart">
        <source>Attempts per day</source>
        <translation>일별 시도</translation>
    </message>
    <message id="history_chart_none">
        <source>No attempts in this range</source>
        <translation>이 기간에는 시도가 없습니다</translation>
    </message>
    <message id="history_chart_summary" numerus="yes">
        <source>%n attempts from %1$s to %2$s.</source>
        <translation>
            <numerusform>%1$s부터 %2$s까지 %n회 시도.</numerusform>
        </translation>
    </message>
    <message id="history_chart_peak" numerus="yes">
        <source>Most on %s: %n.</source>
        <translation>
            <numerusform>가장 많은 날은 %s, %n회.</numerusform>
        </translation>
    </message>
    <message id="history_day_attempts" numerus="yes">
        <source>%s: %n attempts</source>
        <translation>
            <numerusform>%s: %n회</numerusform>
        </translation>
    </message>
    <message id="history_count" numerus="yes">
        <source>%n attempts</source>
        <translation>
            <numerusform>%n회</numerusform>
        </translation>
    </message>
    <message id="history_time">
        <source>Date and Time</source>
        <translation>날짜와 시간</translation>
    </message>
    <message id="history_outcome">
        <source>Outcome</source>
        <translation>결과</translation>
    </message>
    <message id="history_process">
        <source>Process</source>
        <translation>프로세스</translation>
    </message>
    <message id="history_pid">
        <source>PID</source>
        <translation>PID</translation>
    </message>
    <message id="history_memory">
        <source>Memory</source>
        <translation>메모리</translation>
    </message>
    <message id="history_message">
        <source>Message</source>
        <translation>메시지</translation>
    </message>
    <message id="history_attempts">
        <source>Attempts</source>
        <translation>시도</translation>
    </message>
    <message id="history_ended">
        <source>Ended</source>
        <translation>종료됨</translation>
    </message>
    <message id="history_failed">
        <source>Failed</source>
        <translation>실패</translation>
    </message>
    <message id="history_last_seen">
        <source>Last Seen</source>
        <translation>마지막</translation>
    </message>
    <message id="history_reading" numerus="yes">
        <source>Reading day files… %n entries so far</source>
        <translation>
            <numerusform>일별 파일을 읽는 중… 지금까지 %n개 항목</numerusform>
        </translation>
    </message>
    <message id="history_shown" numerus="yes">
        <source>%n entries shown</source>
        <translation>
            <numerusform>항목 %n개 표시</numerusform>
        </translation>
    </message>
    <message id="history_files" numerus="yes">
        <source>%n day files</source>
        <translation>
            <numerusform>일별 파일 %n개</numerusform>
        </translation>
    </message>
    <message id="history_damaged" numerus="yes">
        <source>Could not read %n day files, left as they are: %s</source>
        <translation>
            <numerusform>일별 파일 %n개를 읽을 수 없습니다(그대로 둠): %s</numerusform>
        </translation>
    </message>
    <message id="history_link">
        <source>Show earlier entries in Kill History</source>
        <translation>이전 항목을 종료 내역에서 보기</translation>
    </message>
    <message id="history_tables">
        <source>Entries and totals</source>
        <translation>항목과 합계</translation>
    </message>
    <message id="start_at_launch">
        <source>Start Monitoring at Launch</source>
        <translation>실행 시 감시 시작</translation>
    </message>
    <message id="notify_when_ended">
        <source>Notify When Processes Are Ended</source>
        <translation>프로세스를 종료하면 알림</translation>
    </message>
    <message id="notify_ended" numerus="yes">
        <source>Ended %n processes</source>
        <translation>
            <numerusform>프로세스 %n개를 종료함</numerusform>
        </translation>
    </message>
    <message id="notify_show_history">
        <source>Show Kill History</source>
        <translation>종료 내역 보기</translation>
    </message>
</context>
</TS>

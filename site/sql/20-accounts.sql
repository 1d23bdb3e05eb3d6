-- The client's account "tool": it may read the three catalog tables and do
-- nothing else. @TOOL_PASSWORD@ is replaced by the loader with the password
-- the client was built with (16 letters and digits).
-- Safe to run again: the account is brought back to exactly these rights.

-- Anonymous accounts are more specific than 'tool'@'%' for a client on the
-- server's own host and would be chosen instead of it, so none may exist.
DROP PROCEDURE IF EXISTS tool.drop_anonymous_accounts;
DELIMITER //
CREATE PROCEDURE tool.drop_anonymous_accounts()
BEGIN
  DECLARE done INT DEFAULT 0;
  DECLARE account_host VARCHAR(255);
  DECLARE anonymous CURSOR FOR SELECT Host FROM mysql.user WHERE User = '';
  DECLARE CONTINUE HANDLER FOR NOT FOUND SET done = 1;
  OPEN anonymous;
  next_account: LOOP
    FETCH anonymous INTO account_host;
    IF done THEN LEAVE next_account; END IF;
    SET @drop_statement = CONCAT('DROP USER ''''@', QUOTE(account_host));
    PREPARE drop_account FROM @drop_statement;
    EXECUTE drop_account;
    DEALLOCATE PREPARE drop_account;
  END LOOP;
  CLOSE anonymous;
END//
DELIMITER ;
CALL tool.drop_anonymous_accounts();
DROP PROCEDURE tool.drop_anonymous_accounts;

CREATE USER IF NOT EXISTS 'tool'@'%' IDENTIFIED BY '@TOOL_PASSWORD@';
ALTER USER 'tool'@'%' IDENTIFIED BY '@TOOL_PASSWORD@';
REVOKE ALL PRIVILEGES, GRANT OPTION FROM 'tool'@'%';
GRANT SELECT ON tool.ht TO 'tool'@'%';
GRANT SELECT ON tool.wzsj TO 'tool'@'%';
GRANT SELECT ON tool.ggw TO 'tool'@'%';
FLUSH PRIVILEGES;
